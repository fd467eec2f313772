#ifndef OVRA_VISUAL_HPP
#define OVRA_VISUAL_HPP

#include "Ovra3D/Component.hpp"

#include <cstdint>

namespace ovra {

class Mesh;
class Renderer;

// The component that makes a node drawable: binds one mesh to the node.
class Visual : public Component {
public:
    explicit Visual(Node& containerEntity);
    // Destroys the mesh when it owns one.
    virtual ~Visual();
    Visual(const Visual&) = delete;
    Visual& operator=(const Visual&) = delete;

    // A mesh set before is dropped without being destroyed.
    void setMesh(Mesh* m, bool isMeshObjectOwner);
    // Only valid when a mesh is set.
    Mesh& getMesh() const { return *mesh_; }
    bool hasMesh() const { return mesh_ != nullptr; }
    int64_t getID() const { return id_; }

private:
    friend class Renderer;

    int64_t id_;
    Mesh* mesh_ = nullptr;
    bool isMeshObjectOwner_ = false;
};

}  // namespace ovra

#endif
