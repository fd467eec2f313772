/// \file
/// The component that makes a node drawable.
#ifndef OVRA_VISUAL_HPP
#define OVRA_VISUAL_HPP

#include "Ovra3D/Component.hpp"

#include <cstdint>

namespace ovra {

class Mesh;
class Renderer;

/// The component that makes a node drawable: binds one mesh to the node.
/// Made by Node::newComponent(VISUAL or VISUAL2D), which also registers it for drawing.
class Visual : public Component {
public:
    /// No mesh, the next number of the process-wide visual sequence.
    explicit Visual(Node& containerEntity);
    /// Destroys the mesh when it owns one, and takes itself out of a visual table that still
    /// lists it, so the renderer never meets a destroyed visual.
    virtual ~Visual();
    Visual(const Visual&) = delete;
    Visual& operator=(const Visual&) = delete;

    /// Sets the mesh to draw (null for none); with `isMeshObjectOwner` the visual destroys it.
    /// A mesh set before is dropped without being destroyed.
    void setMesh(Mesh* m, bool isMeshObjectOwner);
    /// The mesh. Without one, an error line and an empty stand-in mesh that nothing draws.
    Mesh& getMesh() const;
    /// True when a mesh is set.
    bool hasMesh() const { return mesh_ != nullptr; }
    /// The visual's number: its key in the visual tables.
    int64_t getID() const { return id_; }

private:
    friend class Renderer;

    int64_t id_;
    Mesh* mesh_ = nullptr;
    bool isMeshObjectOwner_ = false;
};

}  // namespace ovra

#endif
