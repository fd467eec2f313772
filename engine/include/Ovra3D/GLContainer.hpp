#ifndef OVRA_GLCONTAINER_HPP
#define OVRA_GLCONTAINER_HPP

#include <cstdint>
#include <string>

namespace ovra {

// The window and its OpenGL context, as the engine sees them.
class GLContainer {
public:
    struct GLContainerParam {
        int16_t width = 0;
        int16_t height = 0;
        std::string name;
    };

    virtual ~GLContainer() = default;

    // True when the window, the context and the GL entry points are all available.
    virtual bool initialize(const GLContainerParam& param) = 0;
    virtual void preDraw() = 0;
    virtual void postDraw() = 0;

    // The requested size, not one queried from the window system.
    int16_t getWidth() const { return width_; }
    int16_t getHeight() const { return height_; }

protected:
    int16_t width_ = 0;
    int16_t height_ = 0;
    std::string name_;
};

}  // namespace ovra

#endif
