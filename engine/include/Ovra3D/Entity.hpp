#ifndef OVRA_ENTITY_HPP
#define OVRA_ENTITY_HPP

#include "Ovra3D/Node.hpp"
#include "Ovra3D/Transform.hpp"

namespace ovra {

// A node placed in 3D space by a transform that follows its parent entity's.
class Entity : public Node {
public:
    explicit Entity(const std::string& name);
    // Leaves its parent while still whole, so the parent's hook sees a complete Entity.
    ~Entity() override;

    Transform& getTransform() { return transform_; }
    const Transform& getTransform() const { return transform_; }

    Entity& attach(Entity& child);
    bool detach(Entity& child);

    // Derives the transform from the parent's, then updates the children.
    void update() override;

protected:
    void onAttached(Node& child) override;
    void onDetached(Node& child) override;

private:
    Transform transform_;
};

}  // namespace ovra

#endif
