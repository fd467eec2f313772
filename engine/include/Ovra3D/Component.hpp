#ifndef OVRA_COMPONENT_HPP
#define OVRA_COMPONENT_HPP

#include <cstdint>

namespace ovra {

class Node;

// Something that hangs on a node (a visual, a camera); bound to it for life.
class Component {
public:
    enum COMPONENT_TYPE : uint32_t { NONE = 0, VISUAL = 1, CAMERA = 2, VISUAL2D = 3 };

    explicit Component(Node& containerNode) : containerNode_(containerNode) {}

    Node& getNode() const { return containerNode_; }

protected:
    Node& containerNode_;
};

}  // namespace ovra

#endif
