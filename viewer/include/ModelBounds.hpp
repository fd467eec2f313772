#ifndef OVRA_VIEWER_MODELBOUNDS_HPP
#define OVRA_VIEWER_MODELBOUNDS_HPP

#include "Ovra3D/common.hpp"
#include "Ovra3D/widgets/Mesh.hpp"

namespace ovra {
class Entity;
}

// The axis-aligned box around every uploaded vertex of an entity tree, in world space.
// Imported meshes keep their vertices only on the GPU, so they are read back from there.
class ModelBounds {
public:
    // Walks `root` and its descendants; their world matrices must be current. Needs the GL context.
    static ModelBounds of(const ovra::Entity& root);

    void add(const glm::vec3& point);
    bool isEmpty() const { return vertexCount_ == 0; }
    long getVertexCount() const { return vertexCount_; }
    glm::vec3 getCentre() const { return (min_ + max_) * 0.5f; }
    // Half the box's diagonal: the radius of a sphere around the centre that holds the box.
    float getRadius() const { return glm::length(max_ - min_) * 0.5f; }

private:
    // Adds the sub-mesh's uploaded vertices, placed by `world`.
    void addSubMesh(const glm::mat4& world, const ovra::Mesh::Sub& sub);

    glm::vec3 min_{0.0f};
    glm::vec3 max_{0.0f};
    long vertexCount_ = 0;
};

#endif
