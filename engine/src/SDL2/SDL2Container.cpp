#include "Ovra3D/SDL2/SDL2Container.hpp"

#include "Ovra3D/common.hpp"

#include <cstdio>
#include <iostream>

#ifdef OVRA_KEEP_LIBRARIES_LOADED
#include <dlfcn.h>
#include <link.h>
#endif

namespace ovra {
namespace sdl2 {

namespace {

#ifdef OVRA_KEEP_LIBRARIES_LOADED
// Sanitizer builds only: the GL driver and the window-system libraries are
// unloaded when SDL shuts down, and a leak report could then no longer name the
// library an allocation came from. Pinning every loaded library keeps them named.
int pinLibrary(dl_phdr_info* info, size_t, void*) {
    if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0') {
        dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
    return 0;
}
#endif

void pinLoadedLibraries() {
#ifdef OVRA_KEEP_LIBRARIES_LOADED
    dl_iterate_phdr(pinLibrary, nullptr);
#endif
}

// The window's own record of its container, read back by the SDL2 input.
const char* const kContainerKey = "ovra.container";

Uint32 windowFlags(const GLContainer::GLContainerParam& param) {
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (param.resizable) {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    if (param.fullscreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    return flags;
}

}  // namespace

SDL2Container::~SDL2Container() {
    if (sldWindow_ != nullptr) {
        SDL_SetWindowData(sldWindow_, kContainerKey, nullptr);
    }
    SDL_GL_DeleteContext(sdlGlContext_);
    SDL_DestroyWindow(sldWindow_);
    SDL_Quit();
}

bool SDL2Container::initialize(const GLContainerParam& param) {
    // A second window would leak the first, and the size would no longer match the window.
    if (sldWindow_ != nullptr) {
        std::cerr << "Error: window already initialized" << std::endl;
        return false;
    }
    // Kept first so the size and title stay set whatever fails below.
    width_ = param.width;
    height_ = param.height;
    name_ = param.name;
    setScaleMode(param.scaleMode);

    // SDL would turn SIGINT and SIGTERM into the quit event that the input ignores; the
    // application's loop handles them itself.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::cerr << "SDL could not initialize! SDL Error: " << SDL_GetError() << std::endl;
        return false;
    }

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 1);

    sldWindow_ = SDL_CreateWindow(name_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width_, height_,
                                  windowFlags(param));
    if (sldWindow_ != nullptr) {
        SDL_SetWindowData(sldWindow_, kContainerKey, this);
        refreshSize();
    }
    sdlGlContext_ = SDL_GL_CreateContext(sldWindow_);

    const GLenum err = glewInit();
    if (err != GLEW_OK) {
        const char* text = reinterpret_cast<const char*>(glewGetErrorString(err));
        std::cerr << "Error glew init " << text << std::endl;
        std::fprintf(stderr, "Error: glew init : %s\n", text);
        return false;
    }
    pinLoadedLibraries();
    // glewInit may leave a GL error behind on some drivers; later error checks must not see it.
    while (glGetError() != GL_NO_ERROR) {
    }
    return sldWindow_ != nullptr && sdlGlContext_ != nullptr;
}

void SDL2Container::preDraw() { refreshSize(); }

void SDL2Container::postDraw() { SDL_GL_SwapWindow(sldWindow_); }

bool SDL2Container::setFullscreen(bool fullscreen) {
    if (sldWindow_ == nullptr) {
        std::cerr << "Error: no window to make fullscreen" << std::endl;
        return false;
    }
    if (SDL_SetWindowFullscreen(sldWindow_, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        std::cerr << "Error: fullscreen: " << SDL_GetError() << std::endl;
        return false;
    }
    refreshSize();
    return true;
}

bool SDL2Container::isFullscreen() const {
    return sldWindow_ != nullptr && (SDL_GetWindowFlags(sldWindow_) & SDL_WINDOW_FULLSCREEN) != 0;
}

bool SDL2Container::refreshSize() {
    if (sldWindow_ == nullptr) {
        return false;
    }
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(sldWindow_, &width, &height);
    if (width == getDrawableWidth() && height == getDrawableHeight()) {
        return false;
    }
    setDrawableSize(width, height);
    return true;
}

SDL2Container* SDL2Container::ofWindow(uint32_t windowId) {
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    return window != nullptr ? static_cast<SDL2Container*>(SDL_GetWindowData(window, kContainerKey)) : nullptr;
}

}  // namespace sdl2
}  // namespace ovra
