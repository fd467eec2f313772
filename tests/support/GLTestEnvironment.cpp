#include "GLTestEnvironment.hpp"

#include "WindowSetup.hpp"

#include "Ovra3D/common.hpp"

#include <cstdlib>
#include <iostream>

std::unique_ptr<ovra::sdl2::SDL2Container> GLTestEnvironment::container_;

void GLTestEnvironment::SetUp() {
    // The tests run on an X server (Xvfb); without this, SDL would quietly fall back to
    // another video driver whose context GLEW cannot load, and say nothing of the cause.
    setenv("SDL_VIDEODRIVER", "x11", 0);
    // When many test processes start at once, an X connection is at times refused: try again
    // a few times, saying so, before giving up.
    const int attempts = 3;
    container_ = workshop::openWindow(workshop::windowParam("Ovra tests", width_, height_), attempts, [](int attempt) {
        std::cerr << "no window or GL context (attempt " << attempt << " of " << attempts << ")" << std::endl;
    });
    if (container_) {
        return;
    }
    // A GL test that cannot get its context fails loudly. A failed assertion here would only
    // mark every case skipped, which ctest then counts as skipped, not failed.
    std::cerr << "no window or GL context: run under a display (Xvfb)" << std::endl;
    std::exit(EXIT_FAILURE);
}

void GLTestEnvironment::TearDown() {
    // The registered shaders and materials hold GL objects: free them while the context lives.
    workshop::releaseBeforeWindow();
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
