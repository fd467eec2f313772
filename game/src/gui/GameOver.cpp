#include "gui/GameOver.hpp"

GameOver::GameOver(const std::string& name)
    : OverlayQuad(name, "gameover.png", ovra::Color(1.0f, 1.0f, 1.0f), glm::ivec2(1024, 578)) {}
