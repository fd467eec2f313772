#include "GLTestEnvironment.hpp"

#include <gtest/gtest.h>

// A binary may ask for a smaller window, where drawing many frames must stay cheap.
#ifndef OVRA_TEST_WINDOW_WIDTH
#define OVRA_TEST_WINDOW_WIDTH 1280
#define OVRA_TEST_WINDOW_HEIGHT 720
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new GLTestEnvironment(OVRA_TEST_WINDOW_WIDTH, OVRA_TEST_WINDOW_HEIGHT));
    return RUN_ALL_TESTS();
}
