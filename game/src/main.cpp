#include "LevelLab.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/SDL2/SDL2Container.hpp"
#include "Ovra3D/SDL2/SDL2Input.hpp"

#include <iostream>

int main(int, char**) {
    ovra::sdl2::SDL2Container container;
    ovra::GLContainer::GLContainerParam param;
    param.width = 1280;
    param.height = 720;
    param.name = "Brimwold";
    // Everything after this needs a GL context: stop here rather than crash in a GL call.
    if (!container.initialize(param)) {
        std::cerr << "Brimwold: cannot open the game window with an OpenGL 3.3 context" << std::endl;
        return 1;
    }

    ovra::sdl2::SDL2Input input;
    {
        LevelLab level;
        level.initialize();
        GETAPP().run(container, input, level);
    }
    return 0;
}
