#ifndef OVRA_WORKSHOP_FAKES_HPP
#define OVRA_WORKSHOP_FAKES_HPP

#include "Ovra3D/FrameClock.hpp"
#include "Ovra3D/GLContainer.hpp"
#include "Ovra3D/Input.hpp"
#include "Ovra3D/Level.hpp"

#include <functional>
#include <set>
#include <vector>

// A container that reports a size and counts frames; drawing goes to whatever
// context is current (the shared test window in the GL test binary).
class FakeContainer : public ovra::GLContainer {
public:
    explicit FakeContainer(int16_t width = 1280, int16_t height = 720) {
        width_ = width;
        height_ = height;
    }
    bool initialize(const GLContainerParam& param) override {
        width_ = param.width;
        height_ = param.height;
        name_ = param.name;
        return true;
    }
    void preDraw() override { ++preDraws; }
    void postDraw() override { ++postDraws; }
    // As if the window now held `width` x `height` drawable pixels.
    void setWindowSize(int width, int height) { setDrawableSize(width, height); }

    int preDraws = 0;
    int postDraws = 0;
};

// Input whose key states and pointer the test sets directly.
class FakeInput : public ovra::Input {
public:
    void handle() override { ++polls; }
    bool isKeyUp(KEY key) override { return up.count(key) != 0; }
    bool isKeyDown(KEY key) override { return down.count(key) != 0; }
    bool isMouseMoving() override { return false; }
    int getMouseX() override { return mouseX; }
    int getMouseY() override { return mouseY; }
    int getMouseRelativeX() override { return 0; }
    int getMouseRelativeY() override { return 0; }

    std::set<KEY> down;
    std::set<KEY> up;
    int mouseX = 0;
    int mouseY = 0;
    int polls = 0;
};

// A level whose per-frame step is given by the test.
class FakeLevel : public ovra::Level {
public:
    void initialize() override {}
    void update() override {
        ovra::Level::update();
        ++updates;
        if (onUpdate) {
            onUpdate(*this);
        }
    }
    void setCamera(ovra::Camera* camera) { camera_ = camera; }

    std::function<void(FakeLevel&)> onUpdate;
    int updates = 0;
};

// A clock that advances only when the test or the loop makes it.
class FakeClock : public ovra::FrameClock {
public:
    int64_t nowMicroseconds() override { return now; }
    void sleepMicroseconds(int64_t duration) override {
        sleeps.push_back(duration);
        now += duration;
    }

    int64_t now = 1000000;
    std::vector<int64_t> sleeps;
};

// Runs the application loop for `frames` frames with fake container and input.
void runFrames(ovra::GLContainer& container, ovra::Input& input, FakeLevel& level, int frames);

// Runs the application loop until the level exits it, without frame pacing (each frame as
// soon as the last is done), then gives the pacing back.
void runUnpaced(ovra::GLContainer& container, ovra::Input& input, ovra::Level& level);

#endif
