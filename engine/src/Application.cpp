#include "Ovra3D/Application.hpp"

#include "Ovra3D/FrameClock.hpp"
#include "Ovra3D/GLContainer.hpp"
#include "Ovra3D/Input.hpp"
#include "Ovra3D/StopSignals.hpp"
#include "Ovra3D/Time.hpp"

#include <algorithm>
#include <iostream>

namespace ovra {

namespace {
FrameClock systemClock;

// What getInput() and getContainer() answer before run() has bound the real ones:
// no key, no pointer movement, no window.
class NoInput : public Input {
public:
    void handle() override {}
    bool isKeyUp(KEY) override { return false; }
    bool isKeyDown(KEY) override { return false; }
    bool isMouseMoving() override { return false; }
    int getMouseX() override { return 0; }
    int getMouseY() override { return 0; }
    int getMouseRelativeX() override { return 0; }
    int getMouseRelativeY() override { return 0; }
};

class NoContainer : public GLContainer {
public:
    bool initialize(const GLContainerParam&) override { return false; }
    void preDraw() override {}
    void postDraw() override {}
};

NoInput noInput;
NoContainer noContainer;
}  // namespace

Application* Application::instance_ = nullptr;

Application::Application() : clock_(&systemClock) {}

Application::~Application() = default;

Application& Application::get() {
    if (instance_ == nullptr) {
        instance_ = new Application();
    }
    return *instance_;
}

void Application::destroy() {
    delete instance_;
    instance_ = nullptr;
}

void Application::setClock(FrameClock* clock) { clock_ = clock != nullptr ? clock : &systemClock; }

bool Application::run(GLContainer& glContainer, Input& input, Level& firstLevel) {
    glContainer_ = &glContainer;
    input_ = &input;
    renderer_.initialize();
    levelManager_.addLevel(firstLevel, true);

    const uint16_t frameRate = Time::fps;
    const int64_t timePerFrame = frameRate != 0 ? 1000000 / frameRate : 0;

    // Ctrl+C or a polite kill ends the run like exit(): the frame in progress completes.
    const StopSignals stopSignals;
    int64_t timePostDraw = clock_->nowMicroseconds();
    bExit_ = false;
    running_ = true;
    while (!bExit_) {
        runFrame(timePerFrame, timePostDraw);
        if (stopSignals.requested()) {
            exit();
        }
    }
    running_ = false;
    return true;
}

void Application::runFrame(int64_t timePerFrame, int64_t& timePostDraw) {
    // A clock stepping backwards counts as no time passed, so the sleep never exceeds one period.
    int64_t elapsed = std::max<int64_t>(0, clock_->nowMicroseconds() - timePostDraw);
    if (elapsed < timePerFrame) {
        clock_->sleepMicroseconds(timePerFrame - elapsed);
        elapsed = timePerFrame;
    }
    timePostDraw = clock_->nowMicroseconds();
    Time::deltaTime = static_cast<float>(elapsed) / 1000000.0f;

    glContainer_->preDraw();
    input_->handle();
    levelManager_.update();
    // Read after the input, which passes the window's size changes on to the container.
    const GLContainer::Viewport viewport = glContainer_->getViewport();
    const auto x = static_cast<uint16_t>(viewport.x);
    const auto y = static_cast<uint16_t>(viewport.y);
    const auto width = static_cast<uint16_t>(viewport.width);
    const auto height = static_cast<uint16_t>(viewport.height);
    renderer_.predraw(x, y, width, height);
    renderer_.draw(x, y, width, height);
    renderer_.postdraw();
    glContainer_->postDraw();
}

void Application::exit() { bExit_ = true; }

Input& Application::getInput() {
    if (input_ == nullptr) {
        std::cout << "ERROR: Ovra: Application: no input before run" << std::endl;
        return noInput;
    }
    return *input_;
}

GLContainer& Application::getContainer() {
    if (glContainer_ == nullptr) {
        std::cout << "ERROR: Ovra: Application: no container before run" << std::endl;
        return noContainer;
    }
    return *glContainer_;
}

LevelManager& Application::getLevelManager() { return levelManager_; }

}  // namespace ovra
