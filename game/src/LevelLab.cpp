#include "LevelLab.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/Input.hpp"

void LevelLab::initialize() {}

void LevelLab::update() {
    ovra::Level::update();
    if (GETINPUT().isKeyUp(ovra::Input::k_ESCAPE)) {
        GETAPP().exit();
    }
}
