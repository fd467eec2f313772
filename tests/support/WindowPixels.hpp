#ifndef OVRA_TESTS_WINDOWPIXELS_HPP
#define OVRA_TESTS_WINDOWPIXELS_HPP

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

// Colours read back from the shared test window, and the assertions made on them.
struct Rgb {
    int r, g, b;
};

std::ostream& operator<<(std::ostream& out, const Rgb& color);

// Enough for rasterisation and filtering, far from any other colour the tests draw.
constexpr int kPixelTolerance = 3;

// The renderer's clear colour (0.2, 0.2, 0.2).
constexpr Rgb kClearColor{51, 51, 51};

// The RGB of window pixel (x, y), y counted from the top, read from the back buffer, which
// holds the last frame drawn.
Rgb windowPixel(int x, int y);

// The whole back buffer of a `width` x `height` window: RGB, bottom row first.
std::vector<unsigned char> windowFrame(int width, int height);

// Each channel within `tolerance` of the expected one.
::testing::AssertionResult isColor(const Rgb& actual, const Rgb& expected, int tolerance = kPixelTolerance);

inline ::testing::AssertionResult isClearColor(const Rgb& actual) { return isColor(actual, kClearColor); }

#endif
