#ifndef OVRA_VIEWER_SCREENSHOTCONTAINER_HPP
#define OVRA_VIEWER_SCREENSHOTCONTAINER_HPP

#include "Ovra3D/SDL2/SDL2Container.hpp"

#include <string>

// The engine's SDL2 window that can keep a frame: when a path is set, the next finished
// frame is read from the back buffer before it is shown and written there as a PNG.
class ScreenshotContainer : public ovra::sdl2::SDL2Container {
public:
    void captureNextFrame(const std::string& pngPath);
    void postDraw() override;

    // True once a frame was asked for and written.
    bool hasCaptured() const { return captured_; }

private:
    std::string pngPath_;
    bool captured_ = false;
};

#endif
