// Forgets an SDL surface on purpose, as engine code could, so that the leak check can show the
// LeakSanitizer suppressions still report it while they hide what the libraries keep. Opens a
// window with a GL context first, which makes the libraries leak what they always leak. The
// "callback" case forgets memory inside a file-system callback that assimp makes while it
// imports, as the engine's own model file system could.
//   forgotten_surface nothing|created|loaded|callback <scratch folder>

#include "WindowSetup.hpp"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <assimp/DefaultIOSystem.h>
#include <assimp/Importer.hpp>

#include <cstdio>
#include <cstring>
#include <fstream>
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

__attribute__((noinline)) void forgetInCallback() {
    char* block = new char[64];
    std::memset(block, 1, 64);
    std::printf("forgot a block of %d\n", block[0]);
}

// assimp's own file system, which forgets a block each time assimp opens a file through it.
class ForgetfulFileSystem : public Assimp::DefaultIOSystem {
public:
    Assimp::IOStream* Open(const char* file, const char* mode) override {
        forgetInCallback();
        return DefaultIOSystem::Open(file, mode);
    }
};

void importThroughForgetfulFileSystem(const std::string& folder) {
    const std::string path = folder + "/triangle.obj";
    std::ofstream(path) << "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    Assimp::Importer importer;
    importer.SetIOHandler(new ForgetfulFileSystem);
    if (importer.ReadFile(path, 0) == nullptr) {
        std::fprintf(stderr, "cannot import %s: %s\n", path.c_str(), importer.GetErrorString());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string what = argc == 3 ? argv[1] : "";
    if (what != "nothing" && what != "created" && what != "loaded" && what != "callback") {
        std::fprintf(stderr, "usage: %s nothing|created|loaded|callback <scratch folder>\n", argv[0]);
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
    } else if (what == "callback") {
        importThroughForgetfulFileSystem(argv[2]);
    }
    return 0;
}
