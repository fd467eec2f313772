#include "LevelLab.hpp"
#include "WindowSetup.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/SDL2/SDL2Container.hpp"
#include "Ovra3D/SDL2/SDL2Input.hpp"

#include <iostream>

namespace {

// Builds the level and runs it; false when the level could not be built (it says why).
bool play(ovra::GLContainer& container, ovra::Input& input) {
    LevelLab level;
    level.initialize();
    if (!level.isReady()) {
        return false;
    }
    GETAPP().run(container, input, level);
    return true;
}

}  // namespace

int main(int, char**) {
    ovra::sdl2::SDL2Container container;
    // Everything after this needs a GL context: stop here rather than crash in a GL call.
    if (!container.initialize(workshop::windowParam("Brimwold", 1280, 720))) {
        std::cerr << "Brimwold: cannot open the game window with an OpenGL 3.3 context" << std::endl;
        return 1;
    }

    ovra::sdl2::SDL2Input input;
    const bool played = play(container, input);
    // The level is gone; shaders and materials hold GL objects, so free them before the window goes.
    workshop::releaseBeforeWindow();
    return played ? 0 : 1;
}
