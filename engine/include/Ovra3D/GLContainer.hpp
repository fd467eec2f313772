/// \file
/// The window and OpenGL context, as the engine sees them.
#ifndef OVRA_GLCONTAINER_HPP
#define OVRA_GLCONTAINER_HPP

#include <cstdint>
#include <string>

namespace ovra {

/// The window and its OpenGL context, as the engine sees them; the platform layer implements it.
class GLContainer {
public:
    /// What the caller asks of the window.
    struct GLContainerParam {
        int16_t width = 0;   ///< Window width in pixels.
        int16_t height = 0;  ///< Window height in pixels.
        std::string name;    ///< Window title.
    };

    virtual ~GLContainer() = default;

    /// Creates the window and its context from `param`.
    /// \return true when the window, the context and the GL entry points are all available.
    virtual bool initialize(const GLContainerParam& param) = 0;
    /// Called at the start of every frame.
    virtual void preDraw() = 0;
    /// Called at the end of every frame: presents it.
    virtual void postDraw() = 0;

    /// The requested width, not one queried from the window system; 0 before initialize().
    int16_t getWidth() const { return width_; }
    /// The requested height; 0 before initialize().
    int16_t getHeight() const { return height_; }

protected:
    int16_t width_ = 0;   ///< Width given to initialize().
    int16_t height_ = 0;  ///< Height given to initialize().
    std::string name_;    ///< Title given to initialize().
};

}  // namespace ovra

#endif
