#ifndef LIFEBAR_HPP
#define LIFEBAR_HPP

#include "Ovra3D/2D/Entity2D.hpp"

#include <cstdint>
#include <memory>
#include <string>

namespace ovra {
class Mesh;
}  // namespace ovra

// The player's red life bar on the overlay: shows a fraction of its full width,
// shortening from the right while its left edge stays put.
class LifeBar : public ovra::Entity2D {
public:
    explicit LifeBar(const std::string& name);
    // Frees the quad's mesh; the GL context must still be alive.
    ~LifeBar() override;

    // Takes the current width and position as the full bar's; call once the bar is placed.
    void updateData();
    // 1.0 is the full width; not clamped, so 0 hides the bar and above 1 lengthens it.
    void setLifePercent(float percent);

private:
    int32_t initialWidth_ = 0;
    glm::ivec2 initialPosition_{0, 0};
    std::unique_ptr<ovra::Mesh> mesh_;
};

#endif
