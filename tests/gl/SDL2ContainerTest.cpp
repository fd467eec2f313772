#include "GLTestEnvironment.hpp"

#include <gtest/gtest.h>

#include <string>

// The shared test window is the one container this binary may open: a second initialize
// on it must neither open another window nor change the size it reports.
TEST(SDL2Container, SecondInitializeIsRefusedAndChangesNothing) {
    ovra::sdl2::SDL2Container& container = GLTestEnvironment::container();
    ovra::GLContainer::GLContainerParam param;
    param.width = 320;
    param.height = 200;
    param.name = "second";

    ::testing::internal::CaptureStderr();
    const bool initialized = container.initialize(param);
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(initialized);
    EXPECT_EQ(errors, "Error: window already initialized\n");
    EXPECT_EQ(container.getWidth(), 1280);
    EXPECT_EQ(container.getHeight(), 720);
}
