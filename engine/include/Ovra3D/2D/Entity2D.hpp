/// \file
/// The overlay scene-graph node.
#ifndef OVRA_ENTITY2D_HPP
#define OVRA_ENTITY2D_HPP

#include "Ovra3D/Node.hpp"
#include "Ovra3D/common.hpp"

namespace ovra {

/// A node of the overlay, placed by its centre and size in window pixels
/// (origin top-left, y downward). Placement does not compose with the parent's.
class Entity2D : public Node {
public:
    /// An unattached node at (0, 0), one pixel large.
    explicit Entity2D(const std::string& name);
    /// Leaves its parent while still whole, so the parent's hook sees a complete Entity2D.
    ~Entity2D() override;

    /// Node::attach() for overlay nodes. \return this node.
    Entity2D& attach(Entity2D& child);
    /// Node::detach() for overlay nodes. \return false when `child` is not a child of this node.
    bool detach(Entity2D& child);

    /// The node update: the children, nothing of its own.
    void update() override;

    /// Places the centre at `position`; the drawn position follows at once.
    void setPosition(const glm::ivec2& position);
    /// Places the centre at (x, y).
    void setPosition(int x, int y);
    /// The position given last.
    const glm::ivec2& getPosition() const { return position_; }
    /// Where the renderer draws the centre: always the node's own position.
    const glm::ivec2& getWorldPosition() const { return worldPosition_; }

    /// Width and height in pixels; a negative extent draws mirrored.
    void setSize(const glm::ivec2& size) { size_ = size; }
    /// Width and height in pixels.
    void setSize(int width, int height) { size_ = glm::ivec2(width, height); }
    /// Width and height in pixels.
    const glm::ivec2& getSize() const { return size_; }

    /// Stores an angle; nothing draws with it.
    void setAngle(float angle) { angle_ = angle; }
    /// The stored angle.
    float getAngle() const { return angle_; }
    /// Always 0: nothing derives it.
    float getWorldAngle() const { return worldAngle_; }

protected:
    /// Overlay placement does not compose: nothing to link.
    void onAttached(Node& child) override;
    /// Nothing to unlink.
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
