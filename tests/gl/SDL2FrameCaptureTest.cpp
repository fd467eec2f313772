#include "CapturedStdout.hpp"
#include "GLTestEnvironment.hpp"
#include "TempFolder.hpp"

#include "Ovra3D/SDL2/SDL2FrameCapture.hpp"
#include "Ovra3D/common.hpp"

#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using Rgb = std::array<int, 3>;

// The RGB of pixel (x, y), y from the top, of a PNG file; {-1, -1, -1} when unreadable.
Rgb pngPixel(const std::string& path, int x, int y) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr) {
        return {-1, -1, -1};
    }
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB24, 0);
    SDL_FreeSurface(loaded);
    const auto* p = static_cast<const unsigned char*>(rgb->pixels) + y * rgb->pitch + x * 3;
    const Rgb result{p[0], p[1], p[2]};
    SDL_FreeSurface(rgb);
    return result;
}

// Fills the back buffer: dark blue, with a red band over the bottom quarter of the window
// (GL's rows count from the bottom) and a green square at the lower left corner.
void drawBands(int width, int height) {
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 0.4f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, width, height / 4);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(0, 0, 16, 16);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

}  // namespace

// The picture is the frame as seen: the band drawn at the bottom is at the bottom of the
// image, the corner square at its lower left, in their own colours, at the window's size.
TEST(SDL2FrameCapture, WritesTheBackBufferUprightInItsColours) {
    const int width = GLTestEnvironment::container().getWidth();
    const int height = GLTestEnvironment::container().getHeight();
    TempFolder dir;
    drawBands(width, height);

    ASSERT_TRUE(ovra::sdl2::SDL2FrameCapture::savePng(width, height, dir.file("frame.png")));

    SDL_Surface* image = IMG_Load(dir.file("frame.png").c_str());
    ASSERT_NE(image, nullptr) << IMG_GetError();
    EXPECT_EQ(image->w, width);
    EXPECT_EQ(image->h, height);
    SDL_FreeSurface(image);
    const struct {
        int x, y;
        Rgb rgb;
    } probes[] = {
        {width / 2, 10, {0, 0, 102}},           // top: the clear colour
        {width / 2, height - 10, {255, 0, 0}},  // bottom: the red band
        {4, height - 4, {0, 255, 0}},           // lower left: the green square
        {width - 4, height - 4, {255, 0, 0}},   // lower right: the band, not the square
    };
    for (const auto& probe : probes) {
        EXPECT_EQ(pngPixel(dir.file("frame.png"), probe.x, probe.y), probe.rgb) << "at " << probe.x << ", " << probe.y;
    }
}

// What cannot be written is refused with one line naming the path, and leaves no file.
TEST(SDL2FrameCapture, UnwritablePathOrEmptySizeIsOneErrorLineAndFalse) {
    TempFolder dir;
    const struct {
        int width, height;
        std::string path;
    } cases[] = {
        {64, 48, dir.file("missing/folder/frame.png")},
        {0, 48, dir.file("empty.png")},
        {64, -1, dir.file("negative.png")},
    };
    for (const auto& c : cases) {
        CapturedStdout out;
        EXPECT_FALSE(ovra::sdl2::SDL2FrameCapture::savePng(c.width, c.height, c.path)) << c.path;
        ASSERT_EQ(out.lines().size(), 1u) << out.text();
        EXPECT_EQ(out.lines()[0].rfind("ERROR: Ovra: SDL2FrameCapture: ", 0), 0u) << out.text();
        EXPECT_NE(out.text().find("\"" + c.path + "\""), std::string::npos) << out.text();
        EXPECT_FALSE(std::filesystem::exists(c.path)) << c.path;
    }
}
