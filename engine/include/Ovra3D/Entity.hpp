/// \file
/// The 3D scene-graph node.
#ifndef OVRA_ENTITY_HPP
#define OVRA_ENTITY_HPP

#include "Ovra3D/Node.hpp"
#include "Ovra3D/Transform.hpp"

namespace ovra {

/// A node placed in 3D space by a transform that follows its parent entity's.
/// The only node that can carry a 3D visual or a camera.
class Entity : public Node {
public:
    /// An unattached entity at the identity placement.
    explicit Entity(const std::string& name);
    /// Leaves its parent while still whole, so the parent's hook sees a complete Entity.
    ~Entity() override;

    /// The entity's placement.
    Transform& getTransform() { return transform_; }
    /// The entity's placement, read-only.
    const Transform& getTransform() const { return transform_; }

    /// Node::attach() for 3D entities; also links the child's transform to this one.
    /// \return this entity.
    Entity& attach(Entity& child);
    /// Node::detach() for 3D entities; unlinks the child's transform.
    /// \return false when `child` is not a child of this entity.
    bool detach(Entity& child);

    /// Derives the transform from the parent's, then updates the children.
    void update() override;

protected:
    /// Points the child's transform at this one (a child of another family is left alone).
    void onAttached(Node& child) override;
    /// Leaves the child's transform without parent.
    void onDetached(Node& child) override;

private:
    Transform transform_;
};

}  // namespace ovra

#endif
