#include "Fakes.hpp"

#include "Ovra3D/Application.hpp"

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
