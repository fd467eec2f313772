#ifndef EXTERNAL_PIXELCHECKCONTAINER_HPP
#define EXTERNAL_PIXELCHECKCONTAINER_HPP

#include <Ovra3D/SDL2/SDL2Container.hpp>

// The engine's SDL2 window that checks each finished frame before showing it: the quad's
// four texels must cover the four quarters around the window's centre.
class PixelCheckContainer : public ovra::sdl2::SDL2Container {
public:
    void postDraw() override;

    // Frames checked, and how many of them showed the quad as expected.
    int getFramesChecked() const { return checked_; }
    int getFramesRight() const { return right_; }

private:
    int checked_ = 0;
    int right_ = 0;
};

#endif
