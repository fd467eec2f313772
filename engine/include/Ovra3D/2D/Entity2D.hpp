#ifndef OVRA_ENTITY2D_HPP
#define OVRA_ENTITY2D_HPP

#include "Ovra3D/Node.hpp"
#include "Ovra3D/common.hpp"

namespace ovra {

// A node of the overlay, placed by its centre and size in window pixels
// (origin top-left, y downward). Placement does not compose with the parent's.
class Entity2D : public Node {
public:
    explicit Entity2D(const std::string& name);
    // Leaves its parent while still whole, so the parent's hook sees a complete Entity2D.
    ~Entity2D() override;

    Entity2D& attach(Entity2D& child);
    bool detach(Entity2D& child);

    void update() override;

    void setPosition(const glm::ivec2& position);
    void setPosition(int x, int y);
    const glm::ivec2& getPosition() const { return position_; }
    const glm::ivec2& getWorldPosition() const { return worldPosition_; }

    void setSize(const glm::ivec2& size) { size_ = size; }
    void setSize(int width, int height) { size_ = glm::ivec2(width, height); }
    const glm::ivec2& getSize() const { return size_; }

    // Stored only; nothing draws with the angles.
    void setAngle(float angle) { angle_ = angle; }
    float getAngle() const { return angle_; }
    float getWorldAngle() const { return worldAngle_; }

protected:
    void onAttached(Node& child) override;
    void onDetached(Node& child) override;

private:
    void updateWorldPosition();

    glm::ivec2 position_{0, 0};
    glm::ivec2 worldPosition_{0, 0};
    glm::ivec2 size_{1, 1};
    float angle_ = 0.0f;
    float worldAngle_ = 0.0f;
};

}  // namespace ovra

#endif
