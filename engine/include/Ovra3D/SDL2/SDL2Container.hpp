#ifndef OVRA_SDL2CONTAINER_HPP
#define OVRA_SDL2CONTAINER_HPP

#include "Ovra3D/GLContainer.hpp"

#include <SDL2/SDL.h>

namespace ovra {
namespace sdl2 {

// A centred, fixed-size SDL2 window with an OpenGL 3.3 compatibility context,
// its entry points loaded through GLEW.
class SDL2Container : public GLContainer {
public:
    SDL2Container() = default;
    ~SDL2Container() override;
    SDL2Container(const SDL2Container&) = delete;
    SDL2Container& operator=(const SDL2Container&) = delete;

    bool initialize(const GLContainerParam& param) override;
    void preDraw() override;
    void postDraw() override;

private:
    SDL_Window* sldWindow_ = nullptr;
    SDL_GLContext sdlGlContext_ = nullptr;
};

}  // namespace sdl2
}  // namespace ovra

#endif
