#ifndef OVRA_TESTS_GLTESTENVIRONMENT_HPP
#define OVRA_TESTS_GLTESTENVIRONMENT_HPP

#include "Ovra3D/SDL2/SDL2Container.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// One real window with its GL context for the whole test binary, 1280 x 720 unless given
// another size. It is opened when the tests start, so listing them needs no display.
class GLTestEnvironment : public ::testing::Environment {
public:
    explicit GLTestEnvironment(int16_t width = 1280, int16_t height = 720) : width_(width), height_(height) {}

    void SetUp() override;
    void TearDown() override;

    static ovra::sdl2::SDL2Container& container();
    // Reads back the RGB of window pixel (x, y), y counted from the top.
    static std::vector<unsigned char> readPixel(int x, int y);

private:
    int16_t width_;
    int16_t height_;
    static std::unique_ptr<ovra::sdl2::SDL2Container> container_;
};

#endif
