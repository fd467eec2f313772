#include "ModelBounds.hpp"

#include "Ovra3D/Entity.hpp"
#include "Ovra3D/widgets/Mesh.hpp"

#include "BufferReadback.hpp"
#include "SubMeshWalk.hpp"

#include <vector>

ModelBounds ModelBounds::of(const ovra::Entity& root) {
    ModelBounds bounds;
    workshop::forEachSubMesh(root, [&bounds](const ovra::Node& node, size_t, ovra::Mesh::Sub& sub) {
        if (const auto* entity = dynamic_cast<const ovra::Entity*>(&node)) {
            bounds.addSubMesh(entity->getTransform().getGlobal(), sub);
        }
    });
    return bounds;
}

void ModelBounds::add(const glm::vec3& point) {
    min_ = vertexCount_ == 0 ? point : glm::min(min_, point);
    max_ = vertexCount_ == 0 ? point : glm::max(max_, point);
    ++vertexCount_;
}

void ModelBounds::addSubMesh(const glm::mat4& world, const ovra::Mesh::Sub& sub) {
    // Only what was uploaded is ever drawn.
    if (sub.VAO_ID == 0 || sub.verticesVBO_ID == 0) {
        return;
    }
    const std::vector<float> positions = workshop::readBuffer<float>(GL_ARRAY_BUFFER, sub.verticesVBO_ID,
                                                                     sub.numberVertices);
    for (size_t i = 0; i + 2 < positions.size(); i += 3) {
        add(glm::vec3(world * glm::vec4(positions[i], positions[i + 1], positions[i + 2], 1.0f)));
    }
}
