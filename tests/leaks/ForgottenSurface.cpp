// Forgets an SDL surface on purpose, as engine code could, so that the leak check can show the
// LeakSanitizer suppressions still report it while they hide what the libraries keep. Opens a
// window with a GL context first, which makes the libraries leak what they always leak.
//   forgotten_surface nothing|created|loaded <scratch folder>

#include "WindowSetup.hpp"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

// Kept out of line, so that each forgotten surface has a frame of its own in the report.
__attribute__((noinline)) void forgetCreatedSurface() {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 16, 16, 32, SDL_PIXELFORMAT_RGBA32);
    std::printf("created a %dx%d surface\n", surface->w, surface->h);
}

__attribute__((noinline)) void forgetLoadedSurface(const std::string& folder) {
    const std::string path = folder + "/forgotten.png";
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 32, SDL_PIXELFORMAT_RGBA32);
    IMG_SavePNG(image, path.c_str());
    SDL_FreeSurface(image);
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr) {
        std::fprintf(stderr, "cannot load %s: %s\n", path.c_str(), IMG_GetError());
        return;
    }
    std::printf("loaded a %dx%d surface\n", loaded->w, loaded->h);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string what = argc == 3 ? argv[1] : "";
    if (what != "nothing" && what != "created" && what != "loaded") {
        std::fprintf(stderr, "usage: %s nothing|created|loaded <scratch folder>\n", argv[0]);
        return 2;
    }
    const std::unique_ptr<ovra::sdl2::SDL2Container> container = workshop::openWindow(
        workshop::windowParam("Forgotten surface", 64, 64));
    if (!container) {
        std::fprintf(stderr, "no window or GL context\n");
        return 2;
    }
    if (what == "created") {
        forgetCreatedSurface();
    } else if (what == "loaded") {
        forgetLoadedSurface(argv[2]);
    }
    return 0;
}
