#include "gui/LifeBar.hpp"

LifeBar::LifeBar(const std::string& name) : OverlayQuad(name, "", ovra::Color(1.0f, 0.0f, 0.0f), glm::ivec2(128, 10)) {}

void LifeBar::updateData() {
    initialWidth_ = getSize().x;
    initialPosition_ = getPosition();
}

void LifeBar::setLifePercent(float percent) {
    const int width = static_cast<int>(percent * static_cast<float>(initialWidth_));
    // The renderer centres a quad on its position: move the centre left by half the lost
    // width so the left edge stays where the full bar's was.
    const int x = initialPosition_.x - (initialWidth_ - width) / 2;
    setSize(width, getSize().y);
    setPosition(x, getPosition().y);
}
