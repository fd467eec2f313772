/// \file
/// The component that makes a node drawable.
#ifndef OVRA_VISUAL_HPP
#define OVRA_VISUAL_HPP

#include "Ovra3D/Component.hpp"

#include <cstdint>

namespace ovra {

class InstanceBatch;
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
    /// Draws the mesh once per instance of `batch`, in one call per sub-mesh, each instance
    /// placed by the node's transform and then its own (3D visuals only; the overlay pass
    /// ignores it). Not owned: it must outlive its use here. Null (the default) draws the
    /// mesh once, as usual. The materials need an instanced shader (InstanceBatch::newShader()).
    void setInstances(InstanceBatch* batch) { instances_ = batch; }
    /// The batch set by setInstances(), or null.
    InstanceBatch* getInstances() const { return instances_; }
    /// The visual's number: its key in the visual tables.
    int64_t getID() const { return id_; }

private:
    friend class Renderer;

    int64_t id_;
    Mesh* mesh_ = nullptr;
    InstanceBatch* instances_ = nullptr;
    bool isMeshObjectOwner_ = false;
};

}  // namespace ovra

#endif
