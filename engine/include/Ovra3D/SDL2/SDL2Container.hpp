/// \file
/// The SDL2 window container.
#ifndef OVRA_SDL2CONTAINER_HPP
#define OVRA_SDL2CONTAINER_HPP

#include "Ovra3D/GLContainer.hpp"

#include <SDL2/SDL.h>

namespace ovra {
/// The SDL2 implementations of the platform interfaces.
namespace sdl2 {

/// A centred SDL2 window with an OpenGL 3.3 compatibility context, its entry points loaded
/// through GLEW; resizable and fullscreen as asked. Errors go to the standard error stream.
/// The window knows its container, so that the SDL2 input can report size changes to it and
/// map the pointer into picture pixels.
class SDL2Container : public GLContainer {
public:
    /// No window yet.
    SDL2Container() = default;
    /// Deletes the context, destroys the window and shuts SDL down, created or not.
    ~SDL2Container() override;
    SDL2Container(const SDL2Container&) = delete;
    SDL2Container& operator=(const SDL2Container&) = delete;

    /// Opens the window and makes its context current. The size and title are kept even
    /// when SDL or GLEW fails. A second call, once a window exists, is refused with an
    /// error line and changes nothing.
    /// \return true when the window, the context and the GL entry points are all available.
    bool initialize(const GLContainerParam& param) override;
    /// Reads the drawable size again, in case no SDL2 input drained the size events.
    void preDraw() override;
    /// Presents the frame; without a window SDL only records an error.
    void postDraw() override;

    /// Desktop fullscreen or back to the window. \return false, with an error line, when
    /// there is no window or the window system refused.
    bool setFullscreen(bool fullscreen) override;
    /// True while the window is fullscreen.
    bool isFullscreen() const override;

    /// Reads the window's drawable size again. \return true when it changed.
    bool refreshSize();
    /// The container of an SDL window made by this class, or null for any other window id.
    static SDL2Container* ofWindow(uint32_t windowId);

private:
    SDL_Window* sldWindow_ = nullptr;
    SDL_GLContext sdlGlContext_ = nullptr;
};

}  // namespace sdl2
}  // namespace ovra

#endif
