#include "Ovra3D/Entity.hpp"

namespace ovra {

Entity::Entity(const std::string& name) : Node(name) {}

Entity::~Entity() {
    if (getParent() != nullptr) {
        getParent()->detach(*this);
    }
    // A child that a sibling's destructor detaches while this node is taken down outlives
    // this transform, with no hook left to unlink it: unlink them all now.
    for (Node* child : getChildren()) {
        if (auto* entity = dynamic_cast<Entity*>(child)) {
            entity->transform_.setParent(nullptr);
        }
    }
}

Entity& Entity::attach(Entity& child) {
    Node::attach(child);
    return *this;
}

bool Entity::detach(Entity& child) { return Node::detach(child); }

void Entity::update() {
    transform_.applyUpdates();
    Node::update();
}

// Checked casts: a node of another family reached through Node::attach has no transform to link.
void Entity::onAttached(Node& child) {
    if (auto* entity = dynamic_cast<Entity*>(&child)) {
        entity->transform_.setParent(&transform_);
    }
}

void Entity::onDetached(Node& child) {
    if (auto* entity = dynamic_cast<Entity*>(&child)) {
        entity->transform_.setParent(nullptr);
    }
}

}  // namespace ovra
