/// \file
/// The base of everything that hangs on a node.
#ifndef OVRA_COMPONENT_HPP
#define OVRA_COMPONENT_HPP

#include <cstdint>

namespace ovra {

class Node;

/// Something that hangs on a node (a visual, a camera); bound to it for life.
/// Made only by Node::newComponent(), which keeps one per kind.
class Component {
public:
    /// The kinds of component; the value is the key a node stores the component under.
    enum COMPONENT_TYPE : uint32_t {
        NONE = 0,     ///< No component: newComponent() refuses it.
        VISUAL = 1,   ///< A Visual drawn in the 3D pass; only on an Entity.
        CAMERA = 2,   ///< A Camera; only on an Entity.
        VISUAL2D = 3  ///< A Visual drawn in the overlay pass; only on an Entity2D.
    };

    /// Binds the component to `containerNode` for life.
    explicit Component(Node& containerNode) : containerNode_(containerNode) {}

    /// The node that holds the component.
    Node& getNode() const { return containerNode_; }

protected:
    Node& containerNode_;  ///< The node that holds the component.
};

}  // namespace ovra

#endif
