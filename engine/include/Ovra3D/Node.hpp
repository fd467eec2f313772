/// \file
/// The scene-graph node.
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

/// A named, numbered scene-graph node: owns its children, holds at most one
/// component per kind, can be switched off and passes the frame update down.
/// Nothing here reports errors: what cannot be done answers null or false and changes nothing.
///
/// Changing the tree from the code it runs:
/// - In its update, a node may attach, detach or destroy any node. In one walk of a parent
///   each child updates at most once: nodes attached during the walk get their turn in it,
///   after those already there; a node that had its turn and comes back (detached and
///   attached again, to move it to the end) waits for the next walk.
/// - Destroying an ancestor from an update is allowed and destroys the updating node too:
///   as after `delete this`, its update must return without touching it again. The walks
///   over destroyed nodes stop there; the walks above them go on.
/// - A node being destroyed takes its children down first to last, each unlinked from it
///   before its own destruction begins. A destructor run then may destroy or detach a node
///   still waiting its turn: it leaves the list, and no hook of the half-destroyed parent
///   runs. Attaching a node to a node being destroyed is refused with an error line.
///   Destroying a node that is already being destroyed, or one of its ancestors, is not
///   allowed.
class Node {
public:
    /// An unattached, enabled node with the next number of the process-wide sequence.
    explicit Node(const std::string& name);
    /// Destroys the subtree and releases the node's components (visuals leave their registry first).
    virtual ~Node();
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    /// The per-frame step: passes the tree-enabled flag to each child it is the parent of,
    /// then updates that child, each at most once (see the class notes).
    virtual void update();

    /// Makes `child` a child of this node, which then owns it; a child of another node is
    /// detached from that node first. Attaching a node to itself, or again to the same parent,
    /// changes nothing; attaching an ancestor of this node, or attaching to a node being
    /// destroyed, is refused with an error line.
    /// \return this node.
    Node& attach(Node& child);
    /// Gives `child` back to the caller. \return false, changing nothing, when it is not a child.
    bool detach(Node& child);

    /// The node this one was last attached to, or null.
    Node* getParent() const { return parent_; }
    /// The `i`-th child in attach order, or null when `i` is not below countChildren().
    Node* getChild(unsigned int i) const;
    /// The number of direct children.
    uint32_t countChildren() const { return static_cast<uint32_t>(children_.size()); }
    /// The first node below this one (depth first, attach order) named exactly `name`;
    /// only the direct children unless `subChildren`. Null when none matches.
    Node* findChild(const std::string& name, bool subChildren) const;
    /// The same by node number; null when none matches.
    Node* findChild(unsigned long id, bool subChildren) const;

    /// Renames the node; names need not be unique.
    void setName(const std::string& name) { name_ = name; }
    /// The node's name.
    const std::string& getName() const { return name_; }
    /// The node's number, unique in the process.
    int64_t getID() const { return id_; }
    /// The direct children in attach order.
    const std::vector<Node*>& getChildren() const { return children_; }

    /// Switches the node on or off; descendants see it at this node's next update().
    void enable(bool enable) { isEnabled_ = enable; }
    /// The node's own switch, and with `checkTree` also that of all its ancestors
    /// as of the last update (the renderer and the game ask with true).
    bool isEnabled(bool checkTree) const { return checkTree ? isEnabled_ && isTreeEnabled_ : isEnabled_; }

    /// Writes one line "(parent id) parent name -> (child id) child name" per child to the
    /// standard output, then the same for each child's subtree.
    void toStringChildren() const;

    /// Creates the component of kind `ct` on this node. Null for NONE, for a kind already
    /// present, for a kind the node cannot carry (a 3D kind on an Entity2D and the other way
    /// round) and for a value that names no kind.
    Component* newComponent(Component::COMPONENT_TYPE ct);
    /// The component of kind `ct`, or null.
    Component* getComponent(Component::COMPONENT_TYPE ct) const;

protected:
    /// Called on the parent once `child` has been linked to it.
    virtual void onAttached(Node& child) = 0;
    /// Called on the parent once `child` has been unlinked from it.
    virtual void onDetached(Node& child) = 0;

private:
    friend class Level;  // marks its two roots tree-enabled

    struct Walk;

    template <typename Match>
    Node* search(const Match& match, bool subChildren) const;
    bool isDescendantOf(const Node& node) const;
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
    bool beingDestroyed_ = false;  // set once its destructor has begun taking its children down
    Walk* walks_ = nullptr;        // the updates running over children_, innermost first
};

}  // namespace ovra

#endif
