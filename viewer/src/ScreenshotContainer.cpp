#include "ScreenshotContainer.hpp"

#include "Ovra3D/common.hpp"

#include <SDL2/SDL_image.h>

#include <cstring>
#include <iostream>
#include <vector>

void ScreenshotContainer::captureNextFrame(const std::string& pngPath) {
    pngPath_ = pngPath;
    captured_ = false;
}

void ScreenshotContainer::postDraw() {
    if (!pngPath_.empty()) {
        captured_ = writeFrame();
        pngPath_.clear();
    }
    SDL2Container::postDraw();
}

bool ScreenshotContainer::writeFrame() const {
    const int width = getWidth();
    const int height = getHeight();
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    std::vector<unsigned char> pixels(rowBytes * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());

    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_RGB24);
    if (surface == nullptr) {
        std::cerr << "ovra_viewer: cannot hold the frame: " << SDL_GetError() << std::endl;
        return false;
    }
    // GL's rows start at the bottom, an image's at the top.
    for (int y = 0; y < height; ++y) {
        std::memcpy(static_cast<unsigned char*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch,
                    pixels.data() + static_cast<size_t>(height - 1 - y) * rowBytes, rowBytes);
    }
    const bool written = IMG_SavePNG(surface, pngPath_.c_str()) == 0;
    if (!written) {
        std::cerr << "ovra_viewer: cannot write \"" << pngPath_ << "\": " << IMG_GetError() << std::endl;
    }
    SDL_FreeSurface(surface);
    return written;
}
