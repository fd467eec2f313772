#include "ImageFile.hpp"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <filesystem>
#include <system_error>

namespace {

SDL_Surface* rgbaSurface(int width, int height, const std::function<Texel(int x, int y)>& texelAt) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    if (surface == nullptr) {
        return nullptr;
    }
    for (int y = 0; y < height; ++y) {
        Uint8* row = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < width; ++x) {
            const Texel t = texelAt(x, y);
            Uint8* p = row + 4 * x;
            p[0] = t.r;
            p[1] = t.g;
            p[2] = t.b;
            p[3] = t.a;
        }
    }
    return surface;
}

}  // namespace

bool writeImage(const std::string& path, int width, int height, const std::function<Texel(int x, int y)>& texelAt,
                uint32_t pixelFormat, ImageFile file) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
    }
    SDL_Surface* rgba = rgbaSurface(width, height, texelAt);
    if (rgba == nullptr) {
        return false;
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(rgba, pixelFormat, 0);
    SDL_FreeSurface(rgba);
    if (converted == nullptr) {
        return false;
    }
    const int rc = file == ImageFile::PNG ? IMG_SavePNG(converted, path.c_str()) : SDL_SaveBMP(converted, path.c_str());
    SDL_FreeSurface(converted);
    return rc == 0;
}
