// A game of its own on Ovra: a window, a level with a camera and one textured quad, drawn
// for three frames, each checked pixel by pixel. Exits 0 when every frame was right.
#include "PixelCheckContainer.hpp"
#include "QuadLevel.hpp"

#include <Ovra3D/Application.hpp>
#include <Ovra3D/ObjectManager.hpp>
#include <Ovra3D/SDL2/SDL2Input.hpp>

#include <iostream>
#include <string>

int main() {
    PixelCheckContainer container;
    ovra::GLContainer::GLContainerParam param;
    param.width = 320;
    param.height = 240;
    param.name = "External game";
    if (!container.initialize(param)) {
        std::cerr << "external_game: no window" << std::endl;
        return 1;
    }
    char* base = SDL_GetBasePath();
    const std::string dataFolder = std::string(base != nullptr ? base : "./") + "data/";
    SDL_free(base);

    bool ran = false;
    {
        ovra::sdl2::SDL2Input input;
        QuadLevel level(dataFolder);
        level.initialize();
        if (level.isReady()) {
            GETAPP().run(container, input, level);
            ran = true;
        }
    }
    ovra::ObjectManager::releaseAll();
    const bool right = ran && container.getFramesChecked() == 3 && container.getFramesRight() == 3;
    std::cout << "external_game: " << container.getFramesRight() << " of " << container.getFramesChecked()
              << " frames right" << std::endl;
    return right ? 0 : 1;
}
