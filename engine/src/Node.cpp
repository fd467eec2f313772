#include "Ovra3D/Node.hpp"

#include "Ovra3D/2D/Entity2D.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Entity.hpp"
#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Visual.hpp"

#include <algorithm>
#include <iostream>

namespace ovra {

namespace {
int64_t cid = 0;
}

// One running update over a node's children. It lives on the update's stack so
// that detach can move its position back and the destructor can stop it; it
// unregisters itself even when a child's update throws.
struct Node::Walk {
    explicit Walk(Node& walked) : node(walked), outer(walked.walks_) { walked.walks_ = this; }
    ~Walk() {
        if (!nodeDestroyed) {
            node.walks_ = outer;
        }
    }
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

    // Whether the node numbered `id` has had its turn and left the list since: attached
    // again, it must not get a second one.
    bool hadItsTurn(int64_t id) const {
        return std::find(leftAfterTurn.begin(), leftAfterTurn.end(), id) != leftAfterTurn.end();
    }

    Node& node;
    Walk* outer;
    std::size_t next = 0;  // index in children_ of the next child to update; those before it had their turn
    bool nodeDestroyed = false;
    std::vector<int64_t> leftAfterTurn;  // numbers, not addresses: a new node may reuse a freed one's
};

Node::Node(const std::string& name) : name_(name), id_(cid++) {}

Node::~Node() {
    // An update of this node may still be on the stack (a child destroyed it):
    // tell it to stop without touching the node again.
    for (Walk* walk = walks_; walk != nullptr; walk = walk->outer) {
        walk->nodeDestroyed = true;
    }
    // The children go first to last, each taken off the list and unlinked before its
    // destruction, so none calls back into this half-destroyed node through its hooks.
    // The list keeps those still waiting (last first, so taking one is cheap): a destructor
    // that destroys or detaches one of them finds it there, and detach() leaves the hook out.
    beingDestroyed_ = true;
    std::reverse(children_.begin(), children_.end());
    while (!children_.empty()) {
        Node* child = children_.back();
        children_.pop_back();
        if (child->parent_ == this) {
            child->parent_ = nullptr;
            delete child;
        }
    }
    releaseComponents();
    if (parent_ != nullptr) {
        parent_->detach(*this);
    }
}

// Children may attach, detach or destroy nodes while they update: the walk reads
// the list afresh at each step, so appended nodes get their turn in the same pass,
// and detach moves the position back when it removes a node already passed. A node
// that had its turn and comes back (detached and attached again) waits for the next walk:
// one that moves itself to the end at each turn would otherwise keep the walk going for ever.
void Node::update() {
    Walk walk(*this);
    while (walk.next < children_.size()) {
        Node* child = children_[walk.next++];
        if (child->parent_ != this || walk.hadItsTurn(child->id_)) {
            continue;
        }
        child->isTreeEnabled_ = isEnabled_ && isTreeEnabled_;
        child->update();
        if (walk.nodeDestroyed) {
            return;
        }
    }
}

Node& Node::attach(Node& child) {
    if (&child == this || child.parent_ == this) {
        return *this;
    }
    if (beingDestroyed_) {
        // Its hooks are gone with its derived part, and the child would only be destroyed.
        std::cout << "ERROR: Ovra: Node: " << name_ << " is being destroyed and cannot take " << child.name_
                  << " as its child" << std::endl;
        return *this;
    }
    if (isDescendantOf(child)) {
        // A cycle would make the walk recurse for ever and the destructors delete twice.
        std::cout << "ERROR: Ovra: Node: " << child.name_ << " is an ancestor of " << name_
                  << " and cannot become its child" << std::endl;
        return *this;
    }
    // Listed under one parent only: a stale entry in the old parent would outlive the node.
    if (child.parent_ != nullptr) {
        child.parent_->detach(child);
    }
    child.parent_ = this;
    onAttached(child);
    children_.push_back(&child);
    return *this;
}

bool Node::isDescendantOf(const Node& node) const {
    for (const Node* ancestor = parent_; ancestor != nullptr; ancestor = ancestor->parent_) {
        if (ancestor == &node) {
            return true;
        }
    }
    return false;
}

bool Node::detach(Node& child) {
    for (std::size_t i = 0; i < children_.size(); ++i) {
        Node* found = children_[i];
        if (found->id_ == child.id_) {
            found->parent_ = nullptr;
            if (beingDestroyed_) {
                // The hook went with the derived part of this node.
                removeChildAt(i);
                return true;
            }
            onDetached(*found);
            // The hook may itself have changed the list: remove this very entry.
            if (i >= children_.size() || children_[i] != found) {
                auto it = std::find(children_.begin(), children_.end(), found);
                if (it == children_.end()) {
                    return true;
                }
                i = static_cast<std::size_t>(it - children_.begin());
            }
            removeChildAt(i);
            return true;
        }
    }
    return false;
}

void Node::removeChildAt(std::size_t index) {
    const int64_t id = children_[index]->id_;
    children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(index));
    for (Walk* walk = walks_; walk != nullptr; walk = walk->outer) {
        if (index < walk->next) {
            --walk->next;
            walk->leftAfterTurn.push_back(id);
        }
    }
}

Node* Node::getChild(unsigned int i) const {
    if (i >= children_.size()) {
        return nullptr;
    }
    return children_[i];
}

template <typename Match>
Node* Node::search(const Match& match, bool subChildren) const {
    for (Node* child : children_) {
        if (match(*child)) {
            return child;
        }
        if (subChildren) {
            if (Node* found = child->search(match, true)) {
                return found;
            }
        }
    }
    return nullptr;
}

Node* Node::findChild(const std::string& name, bool subChildren) const {
    return search([&name](const Node& n) { return n.name_ == name; }, subChildren);
}

Node* Node::findChild(unsigned long id, bool subChildren) const {
    return search([id](const Node& n) { return static_cast<unsigned long>(n.id_) == id; }, subChildren);
}

void Node::toStringChildren() const {
    for (const Node* child : children_) {
        std::cout << "(" << id_ << ") " << name_ << " -> (" << child->id_ << ") " << child->name_ << "\n";
    }
    std::cout.flush();
    for (const Node* child : children_) {
        child->toStringChildren();
    }
}

Component* Node::newComponent(Component::COMPONENT_TYPE ct) {
    if (ct == Component::NONE || components_.count(ct) != 0) {
        return nullptr;
    }
    Component* component = createComponent(ct);
    if (component != nullptr) {
        components_[ct] = component;
    }
    return component;
}

Component* Node::createComponent(Component::COMPONENT_TYPE ct) {
    switch (ct) {
        case Component::VISUAL: {
            if (dynamic_cast<Entity*>(this) == nullptr) {
                return nullptr;
            }
            auto* visual = new Visual(*this);
            ObjectManager::addVisual(visual);
            return visual;
        }
        case Component::VISUAL2D: {
            if (dynamic_cast<Entity2D*>(this) == nullptr) {
                return nullptr;
            }
            auto* visual = new Visual(*this);
            ObjectManager::addVisual2D(visual);
            return visual;
        }
        case Component::CAMERA: {
            auto* entity = dynamic_cast<Entity*>(this);
            return entity != nullptr ? new Camera(*entity) : nullptr;
        }
        default: return nullptr;
    }
}

void Node::releaseComponents() {
    // Components are destroyed through their concrete type (Component has no virtual
    // destructor); a visual takes itself out of its registry as it goes.
    for (auto& [type, component] : components_) {
        switch (type) {
            case Component::VISUAL:
            case Component::VISUAL2D: delete static_cast<Visual*>(component); break;
            case Component::CAMERA: delete static_cast<Camera*>(component); break;
            default: break;
        }
    }
    components_.clear();
}

Component* Node::getComponent(Component::COMPONENT_TYPE ct) const {
    auto it = components_.find(ct);
    return it != components_.end() ? it->second : nullptr;
}

}  // namespace ovra
