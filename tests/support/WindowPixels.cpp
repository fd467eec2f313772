#include "WindowPixels.hpp"

#include "GLTestEnvironment.hpp"

#include "Ovra3D/common.hpp"

#include <cstdlib>
#include <vector>

std::ostream& operator<<(std::ostream& out, const Rgb& color) {
    return out << "(" << color.r << ", " << color.g << ", " << color.b << ")";
}

Rgb windowPixel(int x, int y) {
    const std::vector<unsigned char> p = GLTestEnvironment::readPixel(x, y);
    return Rgb{p[0], p[1], p[2]};
}

std::vector<unsigned char> windowFrame(int width, int height) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

::testing::AssertionResult isColor(const Rgb& actual, const Rgb& expected, int tolerance) {
    if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << actual << " instead of " << expected;
}
