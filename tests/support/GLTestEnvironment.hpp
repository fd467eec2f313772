#ifndef OVRA_TESTS_GLTESTENVIRONMENT_HPP
#define OVRA_TESTS_GLTESTENVIRONMENT_HPP

#include "Ovra3D/SDL2/SDL2Container.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// One real 1280 x 720 window with its GL context for the whole test binary.
class GLTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

    static ovra::sdl2::SDL2Container& container();
    // Reads back the RGB of window pixel (x, y), y counted from the top.
    static std::vector<unsigned char> readPixel(int x, int y);

private:
    static std::unique_ptr<ovra::sdl2::SDL2Container> container_;
};

#endif
