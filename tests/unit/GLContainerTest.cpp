#include "Ovra3D/GLContainer.hpp"

#include "Fakes.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using ovra::GLContainer;

namespace {

struct ViewportCase {
    const char* name;
    GLContainer::SCALE_MODE mode;
    int16_t designWidth;
    int16_t designHeight;
    int windowWidth;  // < 0: the window never reported a size
    int windowHeight;
    GLContainer::Viewport expected;
    int pictureWidth;
    int pictureHeight;
};
void PrintTo(const ViewportCase& c, std::ostream* os) { *os << c.name; }

class Viewports : public ::testing::TestWithParam<ViewportCase> {};

TEST_P(Viewports, PlaceThePictureInTheWindow) {
    const ViewportCase& c = GetParam();
    FakeContainer container(c.designWidth, c.designHeight);
    container.setScaleMode(c.mode);
    if (c.windowWidth >= 0) {
        container.setWindowSize(c.windowWidth, c.windowHeight);
    }
    const GLContainer::Viewport v = container.getViewport();
    EXPECT_EQ(v.x, c.expected.x);
    EXPECT_EQ(v.y, c.expected.y);
    EXPECT_EQ(v.width, c.expected.width);
    EXPECT_EQ(v.height, c.expected.height);
    EXPECT_EQ(container.getWidth(), c.pictureWidth);
    EXPECT_EQ(container.getHeight(), c.pictureHeight);
    EXPECT_EQ(container.getDesignWidth(), c.designWidth);
    EXPECT_EQ(container.getDesignHeight(), c.designHeight);
}

constexpr auto LB = GLContainer::LETTERBOX;
constexpr auto FILL = GLContainer::FILL;

// Sizes derived by hand: the design shape scaled to the window's smaller ratio, centred,
// odd leftovers rounded towards the left and bottom.
INSTANTIATE_TEST_SUITE_P(
    Cases, Viewports,
    ::testing::Values(
        ViewportCase{"NoReportedSizeIsTheDesign", LB, 1280, 720, -1, -1, {0, 0, 1280, 720}, 1280, 720},
        ViewportCase{"DesignSizeIsTheWholeWindow", LB, 1280, 720, 1280, 720, {0, 0, 1280, 720}, 1280, 720},
        ViewportCase{"SquareWindowBarsAboveAndBelow", LB, 1280, 720, 900, 900, {0, 197, 900, 506}, 1280, 720},
        ViewportCase{"WideWindowBarsLeftAndRight", LB, 1280, 720, 1600, 600, {266, 0, 1067, 600}, 1280, 720},
        ViewportCase{"DoubleSizeFillsExactly", LB, 1280, 720, 2560, 1440, {0, 0, 2560, 1440}, 1280, 720},
        ViewportCase{"SmallerSameShape", LB, 1280, 720, 640, 360, {0, 0, 640, 360}, 1280, 720},
        ViewportCase{"TallWindow", LB, 400, 300, 300, 1000, {0, 387, 300, 225}, 400, 300},
        ViewportCase{"EmptyWindow", LB, 1280, 720, 0, 0, {0, 0, 0, 0}, 1280, 720},
        ViewportCase{"NoDesignSize", LB, 0, 0, 800, 600, {0, 0, 800, 600}, 0, 0},
        ViewportCase{"FillTakesTheWholeWindow", FILL, 1280, 720, 900, 900, {0, 0, 900, 900}, 900, 900},
        ViewportCase{"FillWithoutReportedSize", FILL, 960, 540, -1, -1, {0, 0, 960, 540}, 960, 540}),
    [](const ::testing::TestParamInfo<ViewportCase>& info) { return std::string(info.param.name); });

struct PointerCase {
    const char* name;
    GLContainer::SCALE_MODE mode;
    int windowWidth;
    int windowHeight;
    glm::ivec2 window;    // pointer in window pixels, from the top-left
    glm::ivec2 expected;  // in picture pixels of a 1280 x 720 design
};
void PrintTo(const PointerCase& c, std::ostream* os) { *os << c.name; }

class PointerMapping : public ::testing::TestWithParam<PointerCase> {};

TEST_P(PointerMapping, GoesThroughTheViewport) {
    const PointerCase& c = GetParam();
    FakeContainer container(1280, 720);
    container.setScaleMode(c.mode);
    container.setWindowSize(c.windowWidth, c.windowHeight);
    const glm::ivec2 picture = container.windowToPicture(c.window.x, c.window.y);
    EXPECT_EQ(picture.x, c.expected.x);
    EXPECT_EQ(picture.y, c.expected.y);
}

// 900 x 900: viewport 900 x 506 from y 197 (top bar 197 rows), 1280/900 picture pixels per window pixel.
// 1600 x 600: viewport 1067 x 600 from x 266, 1280/1067 picture pixels per window pixel.
INSTANTIATE_TEST_SUITE_P(Cases, PointerMapping,
                         ::testing::Values(PointerCase{"DesignSizeUnchanged", LB, 1280, 720, {17, 701}, {17, 701}},
                                           PointerCase{"SquareTopLeftOfPicture", LB, 900, 900, {0, 197}, {0, 0}},
                                           PointerCase{"SquareCentre", LB, 900, 900, {450, 450}, {640, 360}},
                                           PointerCase{"SquareLastPixel", LB, 900, 900, {899, 702}, {1278, 718}},
                                           PointerCase{"SquareTopBar", LB, 900, 900, {450, 10}, {640, -267}},
                                           PointerCase{"SquareBottomBar", LB, 900, 900, {0, 800}, {0, 858}},
                                           PointerCase{"WideCentre", LB, 1600, 600, {800, 300}, {640, 360}},
                                           PointerCase{"WideLeftEdgeOfPicture", LB, 1600, 600, {266, 0}, {0, 0}},
                                           PointerCase{"WideLeftBar", LB, 1600, 600, {100, 300}, {-200, 360}},
                                           PointerCase{"DoubleSize", LB, 2560, 1440, {1001, 3}, {500, 1}},
                                           PointerCase{"FillIsWindowPixels", FILL, 900, 900, {450, 10}, {450, 10}}),
                         [](const ::testing::TestParamInfo<PointerCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(GLContainerFullscreen, ContainerWithoutTheAbilityRefuses) {
    FakeContainer container;
    EXPECT_FALSE(container.setFullscreen(true));
    EXPECT_FALSE(container.isFullscreen());
}

}  // namespace
