#include "ModelBounds.hpp"

#include "Ovra3D/Entity.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/widgets/Mesh.hpp"

#include <vector>

ModelBounds ModelBounds::of(const ovra::Entity& root) {
    ModelBounds bounds;
    bounds.addTree(root);
    return bounds;
}

void ModelBounds::add(const glm::vec3& point) {
    min_ = vertexCount_ == 0 ? point : glm::min(min_, point);
    max_ = vertexCount_ == 0 ? point : glm::max(max_, point);
    ++vertexCount_;
}

void ModelBounds::addTree(const ovra::Entity& entity) {
    addMeshes(entity);
    for (const ovra::Node* child : entity.getChildren()) {
        if (const auto* childEntity = dynamic_cast<const ovra::Entity*>(child)) {
            addTree(*childEntity);
        }
    }
}

void ModelBounds::addMeshes(const ovra::Entity& entity) {
    const auto* visual = static_cast<const ovra::Visual*>(entity.getComponent(ovra::Component::VISUAL));
    if (visual == nullptr || !visual->hasMesh()) {
        return;
    }
    const glm::mat4& world = entity.getTransform().getGlobal();
    std::vector<float> positions;
    for (const ovra::Mesh::Sub* sub : visual->getMesh().getSubMeshes()) {
        // Only what was uploaded is ever drawn.
        if (sub->VAO_ID == 0 || sub->verticesVBO_ID == 0) {
            continue;
        }
        positions.resize(sub->numberVertices);
        glBindBuffer(GL_ARRAY_BUFFER, sub->verticesVBO_ID);
        glGetBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(positions.size() * sizeof(float)),
                           positions.data());
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        for (size_t i = 0; i + 2 < positions.size(); i += 3) {
            add(glm::vec3(world * glm::vec4(positions[i], positions[i + 1], positions[i + 2], 1.0f)));
        }
    }
}
