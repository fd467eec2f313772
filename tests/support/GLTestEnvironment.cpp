#include "GLTestEnvironment.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/common.hpp"

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <thread>

std::unique_ptr<ovra::sdl2::SDL2Container> GLTestEnvironment::container_;

void GLTestEnvironment::SetUp() {
    // The tests run on an X server (Xvfb); without this, SDL would quietly fall back to
    // another video driver whose context GLEW cannot load, and say nothing of the cause.
    setenv("SDL_VIDEODRIVER", "x11", 0);
    ovra::GLContainer::GLContainerParam param;
    param.width = width_;
    param.height = height_;
    param.name = "Ovra tests";
    // When many test processes start at once, an X connection is at times refused: try again
    // a few times, saying so, before giving up.
    const int attempts = 3;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        container_ = std::make_unique<ovra::sdl2::SDL2Container>();
        if (container_->initialize(param)) {
            return;
        }
        container_.reset();
        std::cerr << "no window or GL context (attempt " << attempt << " of " << attempts << ")" << std::endl;
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    // A GL test that cannot get its context fails loudly. A failed assertion here would only
    // mark every case skipped, which ctest then counts as skipped, not failed.
    std::cerr << "no window or GL context: run under a display (Xvfb)" << std::endl;
    std::exit(EXIT_FAILURE);
}

void GLTestEnvironment::TearDown() {
    // The registered shaders and materials hold GL objects: free them while the context lives.
    ovra::ObjectManager::releaseAll();
    container_.reset();
}

ovra::sdl2::SDL2Container& GLTestEnvironment::container() { return *container_; }

std::vector<unsigned char> GLTestEnvironment::readPixel(int x, int y) {
    std::vector<unsigned char> rgb(3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, container_->getDrawableHeight() - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}
