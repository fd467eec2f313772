#include "ImportChecks.hpp"

#include "Ovra3D/Node.hpp"
#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/Mesh.hpp"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

[[noreturn]] void fail(const ovra::Node& node, size_t sub, const char* rule) {
    std::fprintf(stderr, "fuzz: node \"%s\", sub-mesh %zu: %s\n", node.getName().c_str(), sub, rule);
    std::abort();
}

std::vector<uint32_t> uploadedIndices(const ovra::Mesh::Sub& sub) {
    std::vector<uint32_t> indices(sub.numberIndices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, sub.indicesVBO_ID);
    glGetBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(indices.size() * sizeof(uint32_t)),
                       indices.data());
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    return indices;
}

void checkSub(const ovra::Node& node, size_t i, const ovra::Mesh::Sub& sub) {
    if (sub.material != nullptr && ovra::ObjectManager::getMaterial(sub.material->getID()) != sub.material) {
        fail(node, i, "material not registered");
    }
    if (sub.VAO_ID == 0) {
        return;
    }
    if (sub.numberVertices % 3 != 0 || sub.numberIndices % 3 != 0) {
        fail(node, i, "counts are not whole vertices and triangles");
    }
    if (sub.numberTextureCoordinates / 2 != sub.numberVertices / 3) {
        fail(node, i, "texture coordinates and positions differ in number");
    }
    for (uint32_t index : uploadedIndices(sub)) {
        if (index >= sub.numberVertices / 3) {
            fail(node, i, "index past the vertices");
        }
    }
}

}  // namespace

void checkImportedTree(const ovra::Node& root) {
    const auto* visual = static_cast<const ovra::Visual*>(root.getComponent(ovra::Component::VISUAL));
    if (visual != nullptr && visual->hasMesh()) {
        const std::vector<ovra::Mesh::Sub*>& subs = visual->getMesh().getSubMeshes();
        for (size_t i = 0; i < subs.size(); ++i) {
            checkSub(root, i, *subs[i]);
        }
    }
    for (const ovra::Node* child : root.getChildren()) {
        checkImportedTree(*child);
    }
}
