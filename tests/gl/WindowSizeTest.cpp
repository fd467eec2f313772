// The picture at window sizes other than its design: letterbox bars, proportions, the
// pointer and picking, with the shared test window really resized.

#include "GameCamera.hpp"
#include "GpuTestSupport.hpp"

#include "Ovra3D/GLContainer.hpp"
#include "Ovra3D/SDL2/SDL2Input.hpp"

#include <chrono>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

using gputest::Scene;
using ovra::GLContainer;

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};

// Resizes the shared window and waits until SDL reports the new size.
::testing::AssertionResult resizeWindow(int width, int height) {
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    SDL_SetWindowSize(window, width, height);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int w = 0;
    int h = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        SDL_PumpEvents();
        SDL_GL_GetDrawableSize(window, &w, &h);
        if (w == width && h == height) {
            return ::testing::AssertionSuccess();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return ::testing::AssertionFailure() << "window still " << w << " x " << h << ", not " << width << " x " << height;
}

// Every test leaves the window as it found it, at the design size, with no event pending.
class WindowSize : public ::testing::Test {
protected:
    void TearDown() override {
        EXPECT_TRUE(resizeWindow(1280, 720));
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        GLTestEnvironment::container().refreshSize();
    }

    // A 1280 x 720 design in a window of the given size.
    void useWindow(Scene& scene, GLContainer::SCALE_MODE mode, int width, int height) {
        ASSERT_TRUE(resizeWindow(width, height));
        GLTestEnvironment::container().refreshSize();
        // The GL learns the window's new size when a frame is presented, as in a running game.
        GLTestEnvironment::container().postDraw();
        scene.container.setScaleMode(mode);
        scene.container.setWindowSize(width, height);
    }
};

struct LetterboxCase {
    const char* name;
    int windowWidth;
    int windowHeight;
    GLContainer::Viewport viewport;  // derived by hand
};
void PrintTo(const LetterboxCase& c, std::ostream* os) { *os << c.name; }

class Letterbox : public WindowSize, public ::testing::WithParamInterface<LetterboxCase> {};

// The window pixel, from the top-left, at the middle of picture pixel (px, py).
glm::ivec2 windowOf(const GLContainer::Viewport& v, int windowHeight, float px, float py) {
    const int top = windowHeight - v.y - v.height;
    return glm::ivec2(v.x + static_cast<int>((px + 0.5f) * v.width / 1280.0f),
                      top + static_cast<int>((py + 0.5f) * v.height / 720.0f));
}

TEST_P(Letterbox, KeepsTheDesignShapeCentredBetweenBlackBars) {
    const LetterboxCase& c = GetParam();
    Scene scene(false);
    useWindow(scene, GLContainer::LETTERBOX, c.windowWidth, c.windowHeight);
    // The picture's top-left quarter red; the rest shows the clear colour.
    std::unique_ptr<ovra::Shader> shader = gputest::makeRepoShader("simple_2D_shader");
    std::unique_ptr<ovra::Material> red = gputest::makeColorMaterial(*shader, 1.0f, 0.0f, 0.0f);
    scene.addQuad(red.get(), {320, 180}, {640, 360});
    scene.drawFrames();

    const GLContainer::Viewport& v = c.viewport;
    const int top = c.windowHeight - v.y - v.height;
    const int left = v.x;
    const int right = v.x + v.width - 1;
    const int bottom = top + v.height - 1;
    EXPECT_TRUE(isColor(windowPixel(left, top), kRed)) << "picture's top-left corner";
    EXPECT_TRUE(isClearColor(windowPixel(right, bottom))) << "picture's bottom-right corner";
    // One picture pixel in from the quad's corner, and one out: scaled, an edge can fall
    // anywhere within a window pixel.
    const glm::ivec2 quadCorner = windowOf(v, c.windowHeight, 638.0f, 358.0f);
    const glm::ivec2 pastQuad = windowOf(v, c.windowHeight, 641.0f, 361.0f);
    EXPECT_TRUE(isColor(windowPixel(quadCorner.x, quadCorner.y), kRed)) << "quad's last pixel";
    EXPECT_TRUE(isClearColor(windowPixel(pastQuad.x, pastQuad.y))) << "past the quad";
    if (v.x > 0) {
        EXPECT_TRUE(isColor(windowPixel(left - 1, top), kBlack, 0)) << "left bar";
        EXPECT_TRUE(isColor(windowPixel(right + 1, bottom), kBlack, 0)) << "right bar";
        EXPECT_TRUE(isColor(windowPixel(0, 0), kBlack, 0)) << "window's corner";
    }
    if (top > 0) {
        EXPECT_TRUE(isColor(windowPixel(left, top - 1), kBlack, 0)) << "top bar";
        EXPECT_TRUE(isColor(windowPixel(right, bottom + 1), kBlack, 0)) << "bottom bar";
        EXPECT_TRUE(isColor(windowPixel(c.windowWidth - 1, c.windowHeight - 1), kBlack, 0)) << "window's corner";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Letterbox,
                         ::testing::Values(LetterboxCase{"DesignSize", 1280, 720, {0, 0, 1280, 720}},
                                           LetterboxCase{"Square", 900, 900, {0, 197, 900, 506}},
                                           LetterboxCase{"Wide", 1600, 600, {266, 0, 1067, 600}}),
                         [](const ::testing::TestParamInfo<LetterboxCase>& info) {
                             return std::string(info.param.name);
                         });

struct ShapeCase {
    const char* name;
    int16_t designWidth;
    int16_t designHeight;
    GLContainer::SCALE_MODE mode;
    int windowWidth;
    int windowHeight;
};
void PrintTo(const ShapeCase& c, std::ostream* os) { *os << c.name; }

class Proportions : public WindowSize, public ::testing::WithParamInterface<ShapeCase> {};

// The whole window read back once: reading pixel by pixel would take minutes.
class Frame {
public:
    Frame(int width, int height) : width_(width), height_(height), rgb_(static_cast<size_t>(width) * height * 3) {
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb_.data());
    }
    // Mostly red, at window pixel (x, y) from the top-left.
    bool isRed(int x, int y) const {
        const size_t i = (static_cast<size_t>(height_ - 1 - y) * width_ + x) * 3;
        return rgb_[i] > 195 && rgb_[i + 1] < 60 && rgb_[i + 2] < 60;
    }

private:
    int width_;
    int height_;
    std::vector<unsigned char> rgb_;
};

// The extent of the red pixels on the window's row and column through (x, y).
glm::ivec2 redExtent(int x, int y, int windowWidth, int windowHeight) {
    const Frame frame(windowWidth, windowHeight);
    glm::ivec2 extent(0, 0);
    for (int i = 0; i < windowWidth; ++i) {
        extent.x += frame.isRed(i, y) ? 1 : 0;
    }
    for (int j = 0; j < windowHeight; ++j) {
        extent.y += frame.isRed(x, j) ? 1 : 0;
    }
    return extent;
}

TEST_P(Proportions, AnEightUnitSquareMeasuresSquare) {
    const ShapeCase& c = GetParam();
    Scene scene(false);
    scene.container = FakeContainer(c.designWidth, c.designHeight);
    useWindow(scene, c.mode, c.windowWidth, c.windowHeight);
    // The default camera, 20 units in front of an 8 x 8 square.
    auto* cameraEntity = new ovra::Entity("camera");
    cameraEntity->getTransform().setPosition(0.0f, 0.0f, 20.0f);
    scene.level.getRootEntity().attach(*cameraEntity);
    scene.level.setCamera(static_cast<ovra::Camera*>(cameraEntity->newComponent(ovra::Component::CAMERA)));
    std::unique_ptr<ovra::Shader> shader = gputest::makeRepoShader("simple_shader");
    std::unique_ptr<ovra::Material> red = gputest::makeColorMaterial(*shader, 1.0f, 0.0f, 0.0f);
    scene.addPlane(red.get(), glm::vec3(0.0f), 8.0f);
    // Two frames: the first refresh gives the camera the picture's shape.
    scene.drawFrames(2);

    const glm::ivec2 extent = redExtent(c.windowWidth / 2, c.windowHeight / 2, c.windowWidth, c.windowHeight);
    EXPECT_GT(extent.y, 50);
    EXPECT_NEAR(extent.x, extent.y, 1) << "width " << extent.x << ", height " << extent.y;
}

INSTANTIATE_TEST_SUITE_P(Cases, Proportions,
                         ::testing::Values(ShapeCase{"Wide", 1280, 720, GLContainer::LETTERBOX, 1280, 720},
                                           ShapeCase{"FourByThree", 640, 480, GLContainer::LETTERBOX, 640, 480},
                                           ShapeCase{"Square", 480, 480, GLContainer::LETTERBOX, 480, 480},
                                           ShapeCase{"WideLetterboxedInASquareWindow", 1280, 720,
                                                     GLContainer::LETTERBOX, 900, 900},
                                           ShapeCase{"FillingATallWindow", 1280, 720, GLContainer::FILL, 500, 800}),
                         [](const ::testing::TestParamInfo<ShapeCase>& info) { return std::string(info.param.name); });

TEST_F(WindowSize, PickingThroughTheLetterboxAimsAtWhatIsDrawnThere) {
    Scene scene(false);
    useWindow(scene, GLContainer::LETTERBOX, 900, 900);
    ovra::Camera& camera = useGameCamera(scene.level);
    std::unique_ptr<ovra::Shader> shader = gputest::makeRepoShader("simple_shader");
    std::unique_ptr<ovra::Material> red = gputest::makeColorMaterial(*shader, 1.0f, 0.0f, 0.0f);
    // A small square on the floor, away from the centre.
    const glm::vec3 target(7.0f, 0.0f, -4.0f);
    ovra::Entity& square = scene.addPlane(red.get(), target, 0.5f);
    square.getTransform().rotateAroundLeft(1.5707964f);
    scene.drawFrames();

    // The middle of the red pixels, found in the window.
    const Frame frame(900, 900);
    glm::ivec2 sum(0, 0);
    int count = 0;
    for (int y = 0; y < 900; ++y) {
        for (int x = 0; x < 900; ++x) {
            if (frame.isRed(x, y)) {
                sum += glm::ivec2(x, y);
                ++count;
            }
        }
    }
    ASSERT_GT(count, 20);
    const glm::ivec2 pointer = scene.container.windowToPicture(sum.x / count, sum.y / count);
    glm::vec3 picked(NAN);
    scene.level.onUpdate = [&](FakeLevel&) {
        picked = camera.screenToWorldToPlanePosition(static_cast<unsigned>(pointer.x), static_cast<unsigned>(pointer.y),
                                                     glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    };
    scene.drawFrames();
    EXPECT_NEAR(picked.x, target.x, 0.1f);
    EXPECT_NEAR(picked.z, target.z, 0.1f);
}

struct PointerCase {
    const char* name;
    int windowWidth;
    int windowHeight;
    glm::ivec2 window;
    glm::ivec2 expected;
};
void PrintTo(const PointerCase& c, std::ostream* os) { *os << c.name; }

class RealPointer : public WindowSize, public ::testing::WithParamInterface<PointerCase> {};

TEST_P(RealPointer, IsReportedInPicturePixels) {
    const PointerCase& c = GetParam();
    ASSERT_TRUE(resizeWindow(c.windowWidth, c.windowHeight));
    ovra::sdl2::SDL2Input input;
    input.handle();  // the resize events: the container learns its size from them
    ovra::sdl2::SDL2Container& container = GLTestEnvironment::container();
    EXPECT_EQ(container.getDrawableWidth(), c.windowWidth);
    EXPECT_EQ(container.getDrawableHeight(), c.windowHeight);

    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = SDL_GetWindowID(SDL_GL_GetCurrentWindow());
    event.motion.x = c.window.x;
    event.motion.y = c.window.y;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    input.handle();
    EXPECT_EQ(input.getMouseX(), c.expected.x);
    EXPECT_EQ(input.getMouseY(), c.expected.y);
}

INSTANTIATE_TEST_SUITE_P(Cases, RealPointer,
                         ::testing::Values(PointerCase{"DesignSize", 1280, 720, {1000, 500}, {1000, 500}},
                                           PointerCase{"SquareCentre", 900, 900, {450, 450}, {640, 360}},
                                           PointerCase{"SquarePictureCorner", 900, 900, {0, 197}, {0, 0}},
                                           PointerCase{"SquareTopBar", 900, 900, {450, 10}, {640, -267}},
                                           PointerCase{"WideCentre", 1600, 600, {800, 300}, {640, 360}},
                                           PointerCase{"WideLeftBar", 1600, 600, {100, 300}, {-200, 360}}),
                         [](const ::testing::TestParamInfo<PointerCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(WindowSize, ResizeIsSeenByTheInputOnceAndReachesTheContainer) {
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    ovra::sdl2::SDL2Input input;
    input.handle();
    EXPECT_FALSE(input.isWindowResized());
    ASSERT_TRUE(resizeWindow(800, 600));
    input.handle();
    EXPECT_TRUE(input.isWindowResized());
    EXPECT_EQ(GLTestEnvironment::container().getDrawableWidth(), 800);
    EXPECT_EQ(GLTestEnvironment::container().getDrawableHeight(), 600);
    EXPECT_EQ(GLTestEnvironment::container().getWidth(), 1280) << "the picture keeps its design size";
    input.handle();
    EXPECT_FALSE(input.isWindowResized());
}

TEST_F(WindowSize, FullscreenCoversTheScreenAndComesBack) {
    ovra::sdl2::SDL2Container& container = GLTestEnvironment::container();
    ASSERT_TRUE(container.setFullscreen(true));
    EXPECT_TRUE(container.isFullscreen());
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    EXPECT_EQ(container.getDrawableWidth(), desktop.w);
    EXPECT_EQ(container.getDrawableHeight(), desktop.h);

    ASSERT_TRUE(container.setFullscreen(false));
    EXPECT_FALSE(container.isFullscreen());
    EXPECT_TRUE(resizeWindow(1280, 720));
    container.refreshSize();
    EXPECT_EQ(container.getDrawableWidth(), 1280);
}

}  // namespace
