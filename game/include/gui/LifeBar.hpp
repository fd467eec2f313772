#ifndef LIFEBAR_HPP
#define LIFEBAR_HPP

#include "gui/OverlayQuad.hpp"

#include <cstdint>
#include <string>

// The player's red life bar on the overlay: shows a fraction of its full width,
// shortening from the right while its left edge stays put.
class LifeBar : public OverlayQuad {
public:
    explicit LifeBar(const std::string& name);

    // Takes the current width and position as the full bar's; call once the bar is placed.
    void updateData();
    // 1.0 is the full width; not clamped, so 0 hides the bar and above 1 lengthens it.
    void setLifePercent(float percent);

private:
    int32_t initialWidth_ = 0;
    glm::ivec2 initialPosition_{0, 0};
};

#endif
