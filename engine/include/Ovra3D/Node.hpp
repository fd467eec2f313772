#ifndef OVRA_NODE_HPP
#define OVRA_NODE_HPP

#include "Ovra3D/Component.hpp"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace ovra {

class Level;

// A named, numbered scene-graph node: owns its children, holds at most one
// component per kind, can be switched off and passes the frame update down.
class Node {
public:
    explicit Node(const std::string& name);
    // Destroys the subtree and releases the node's components (visuals leave their registry first).
    virtual ~Node();
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    virtual void update();

    Node& attach(Node& child);
    bool detach(Node& child);

    Node* getParent() const { return parent_; }
    Node* getChild(unsigned int i) const;
    uint32_t countChildren() const { return static_cast<uint32_t>(children_.size()); }
    Node* findChild(const std::string& name, bool subChildren) const;
    Node* findChild(unsigned long id, bool subChildren) const;

    void setName(const std::string& name) { name_ = name; }
    const std::string& getName() const { return name_; }
    int64_t getID() const { return id_; }
    const std::vector<Node*>& getChildren() const { return children_; }

    void enable(bool enable) { isEnabled_ = enable; }
    bool isEnabled(bool checkTree) const { return checkTree ? isEnabled_ && isTreeEnabled_ : isEnabled_; }

    void toStringChildren() const;

    Component* newComponent(Component::COMPONENT_TYPE ct);
    Component* getComponent(Component::COMPONENT_TYPE ct) const;

protected:
    virtual void onAttached(Node& child) = 0;
    virtual void onDetached(Node& child) = 0;

private:
    friend class Level;  // marks its two roots tree-enabled

    struct Walk;

    template <typename Match>
    Node* search(const Match& match, bool subChildren) const;
    Component* createComponent(Component::COMPONENT_TYPE ct);
    void releaseComponents();
    void removeChildAt(std::size_t index);

    std::string name_;
    std::vector<Node*> children_;  // in attach order; a vector keeps the per-frame walk cache-friendly
    std::map<uint32_t, Component*> components_;
    int64_t id_;
    Node* parent_ = nullptr;
    bool isEnabled_ = true;
    bool isTreeEnabled_ = false;
    Walk* walks_ = nullptr;  // the updates running over children_, innermost first
};

}  // namespace ovra

#endif
