#include "PixelCheckContainer.hpp"

#include <Ovra3D/common.hpp>

#include <cstdlib>
#include <iostream>

namespace {

struct Probe {
    int dx, dy;  // from the centre, in pixels, y up
    unsigned char r, g, b;
};

// The texture's top row is red, green; its bottom row blue, yellow. Beyond the quad: the clear colour.
const Probe kProbes[] = {{-30, 30, 255, 0, 0},   {30, 30, 0, 255, 0},   {-30, -30, 0, 0, 255},
                         {30, -30, 255, 255, 0}, {-150, 0, 51, 51, 51}, {0, 110, 51, 51, 51}};

bool near(unsigned char a, unsigned char b) { return std::abs(static_cast<int>(a) - static_cast<int>(b)) <= 2; }

}  // namespace

void PixelCheckContainer::postDraw() {
    bool right = true;
    for (const Probe& probe : kProbes) {
        unsigned char rgb[3] = {0, 0, 0};
        glReadPixels(getWidth() / 2 + probe.dx, getHeight() / 2 + probe.dy, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        if (!near(rgb[0], probe.r) || !near(rgb[1], probe.g) || !near(rgb[2], probe.b)) {
            std::cerr << "pixel at (" << probe.dx << ", " << probe.dy << ") from the centre is " << int(rgb[0]) << " "
                      << int(rgb[1]) << " " << int(rgb[2]) << std::endl;
            right = false;
        }
    }
    ++checked_;
    right_ += right ? 1 : 0;
    SDL2Container::postDraw();
}
