#include "Fakes.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/Time.hpp"

void runFrames(ovra::GLContainer& container, ovra::Input& input, FakeLevel& level, int frames) {
    auto step = level.onUpdate;
    int remaining = frames;
    level.onUpdate = [&](FakeLevel& l) {
        if (step) {
            step(l);
        }
        if (--remaining <= 0) {
            GETAPP().exit();
        }
    };
    GETAPP().run(container, input, level);
    level.onUpdate = step;
}

void runUnpaced(ovra::GLContainer& container, ovra::Input& input, ovra::Level& level) {
    const uint16_t fps = ovra::Time::fps;
    ovra::Time::fps = 0;
    GETAPP().run(container, input, level);
    ovra::Time::fps = fps;
}
