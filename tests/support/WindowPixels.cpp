#include "WindowPixels.hpp"

#include "BufferReadback.hpp"
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

std::vector<unsigned char> windowFrame(int width, int height) { return workshop::readFrame(width, height); }

::testing::AssertionResult isColor(const Rgb& actual, const Rgb& expected, int tolerance) {
    if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << actual << " instead of " << expected;
}
