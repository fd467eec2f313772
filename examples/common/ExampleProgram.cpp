#include "ExampleProgram.hpp"

#include <Ovra3D/Application.hpp>
#include <Ovra3D/ObjectManager.hpp>
#include <Ovra3D/SDL2/SDL2Input.hpp>

#include <SDL2/SDL_image.h>

#include <cstring>
#include <iostream>
#include <vector>

ExampleProgram::ExampleProgram(int argc, char** argv) : program_(argc > 0 ? argv[0] : "example") {
    if (argc == 3 && std::strcmp(argv[1], "--screenshot") == 0 && argv[2][0] != '\0') {
        screenshotPath_ = argv[2];
    } else if (argc != 1) {
        std::cerr << "usage: " << program_ << " [--screenshot OUT.png]" << std::endl;
        usable_ = false;
    }
    // SDL_GetBasePath answers the executable's own folder, whatever the working directory.
    char* base = SDL_GetBasePath();
    dataFolder_ = std::string(base != nullptr ? base : "./") + "data/";
    SDL_free(base);
}

ExampleProgram::~ExampleProgram() { ovra::ObjectManager::releaseAll(); }

bool ExampleProgram::open(const std::string& title, int width, int height) {
    ovra::GLContainer::GLContainerParam param;
    param.width = static_cast<int16_t>(width);
    param.height = static_cast<int16_t>(height);
    param.name = title;
    if (!initialize(param)) {
        std::cerr << program_ << ": no window" << std::endl;
        return false;
    }
    return true;
}

int ExampleProgram::run(ovra::Level& level, ovra::Input& scripted) {
    ovra::sdl2::SDL2Input keyboard;
    ovra::Input& input = screenshotPath_.empty() ? static_cast<ovra::Input&>(keyboard) : scripted;
    GETAPP().run(*this, input, level);
    if (!screenshotPath_.empty() && !saved_) {
        std::cerr << program_ << ": no picture saved to \"" << screenshotPath_ << "\"" << std::endl;
        return 1;
    }
    return 0;
}

void ExampleProgram::postDraw() {
    if (!screenshotPath_.empty() && ++frames_ == screenshotFrame_) {
        saved_ = writeFrame();
        GETAPP().exit();
    }
    SDL2Container::postDraw();
}

bool ExampleProgram::writeFrame() const {
    const int width = getWidth();
    const int height = getHeight();
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    std::vector<unsigned char> pixels(rowBytes * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());

    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_RGB24);
    if (surface == nullptr) {
        std::cerr << program_ << ": cannot hold the frame: " << SDL_GetError() << std::endl;
        return false;
    }
    // GL's rows start at the bottom, an image's at the top.
    for (int y = 0; y < height; ++y) {
        std::memcpy(static_cast<unsigned char*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch,
                    pixels.data() + static_cast<size_t>(height - 1 - y) * rowBytes, rowBytes);
    }
    const bool written = IMG_SavePNG(surface, screenshotPath_.c_str()) == 0;
    if (!written) {
        std::cerr << program_ << ": cannot write \"" << screenshotPath_ << "\": " << IMG_GetError() << std::endl;
    }
    SDL_FreeSurface(surface);
    return written;
}
