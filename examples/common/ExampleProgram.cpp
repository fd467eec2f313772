#include "ExampleProgram.hpp"

#include <Ovra3D/Application.hpp>
#include <Ovra3D/ObjectManager.hpp>
#include <Ovra3D/SDL2/SDL2FrameCapture.hpp>
#include <Ovra3D/SDL2/SDL2Input.hpp>

#include <cstring>
#include <iostream>

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
        saved_ = ovra::sdl2::SDL2FrameCapture::savePng(getWidth(), getHeight(), screenshotPath_);
        GETAPP().exit();
    }
    SDL2Container::postDraw();
}
