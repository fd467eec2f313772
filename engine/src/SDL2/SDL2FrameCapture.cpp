#include "Ovra3D/SDL2/SDL2FrameCapture.hpp"

#include "Ovra3D/common.hpp"

#include <SDL2/SDL_image.h>

#include <cstring>
#include <iostream>
#include <vector>

namespace ovra {
namespace sdl2 {

bool SDL2FrameCapture::savePng(int width, int height, const std::string& pngPath) {
    if (width <= 0 || height <= 0) {
        std::cout << "ERROR: Ovra: SDL2FrameCapture: no frame of " << width << "x" << height << " to write to \""
                  << pngPath << "\"" << std::endl;
        return false;
    }
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    std::vector<unsigned char> pixels(rowBytes * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());

    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_RGB24);
    if (surface == nullptr) {
        std::cout << "ERROR: Ovra: SDL2FrameCapture: cannot hold the frame for \"" << pngPath
                  << "\": " << SDL_GetError() << std::endl;
        return false;
    }
    // GL's rows start at the bottom, an image's at the top.
    for (int y = 0; y < height; ++y) {
        std::memcpy(static_cast<unsigned char*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch,
                    pixels.data() + static_cast<size_t>(height - 1 - y) * rowBytes, rowBytes);
    }
    const bool written = IMG_SavePNG(surface, pngPath.c_str()) == 0;
    if (!written) {
        std::cout << "ERROR: Ovra: SDL2FrameCapture: cannot write \"" << pngPath << "\": " << IMG_GetError()
                  << std::endl;
    }
    SDL_FreeSurface(surface);
    return written;
}

}  // namespace sdl2
}  // namespace ovra
