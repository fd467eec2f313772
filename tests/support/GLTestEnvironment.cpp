#include "GLTestEnvironment.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/common.hpp"

#include <cstdlib>
#include <iostream>

std::unique_ptr<ovra::sdl2::SDL2Container> GLTestEnvironment::container_;

void GLTestEnvironment::SetUp() {
    container_ = std::make_unique<ovra::sdl2::SDL2Container>();
    ovra::GLContainer::GLContainerParam param;
    param.width = width_;
    param.height = height_;
    param.name = "Ovra tests";
    // A GL test that cannot get its context fails loudly. A failed assertion here would
    // only mark every case skipped, which ctest then counts as skipped, not failed.
    if (!container_->initialize(param)) {
        std::cerr << "no window or GL context: run under a display (Xvfb)" << std::endl;
        std::exit(EXIT_FAILURE);
    }
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
    glReadPixels(x, container_->getHeight() - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}
