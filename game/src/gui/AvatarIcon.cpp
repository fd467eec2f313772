#include "gui/AvatarIcon.hpp"

AvatarIcon::AvatarIcon(const std::string& name)
    : OverlayQuad(name, "spacecat_circle.png", ovra::Color(1.0f, 1.0f, 1.0f), glm::ivec2(128, 128)) {}
