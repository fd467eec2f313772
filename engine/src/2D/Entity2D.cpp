#include "Ovra3D/2D/Entity2D.hpp"

namespace ovra {

Entity2D::Entity2D(const std::string& name) : Node(name) {}

Entity2D::~Entity2D() {
    if (getParent() != nullptr) {
        getParent()->detach(*this);
    }
}

Entity2D& Entity2D::attach(Entity2D& child) {
    Node::attach(child);
    return *this;
}

bool Entity2D::detach(Entity2D& child) { return Node::detach(child); }

void Entity2D::update() { Node::update(); }

void Entity2D::setPosition(const glm::ivec2& position) {
    position_ = position;
    updateWorldPosition();
}

void Entity2D::setPosition(int x, int y) { setPosition(glm::ivec2(x, y)); }

void Entity2D::updateWorldPosition() { worldPosition_ = position_; }

void Entity2D::onAttached(Node&) {}

void Entity2D::onDetached(Node&) {}

}  // namespace ovra
