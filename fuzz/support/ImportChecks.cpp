#include "ImportChecks.hpp"

#include "Ovra3D/Node.hpp"
#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/Mesh.hpp"

#include "BufferReadback.hpp"
#include "SubMeshWalk.hpp"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

[[noreturn]] void fail(const ovra::Node& node, size_t sub, const char* rule) {
    std::fprintf(stderr, "fuzz: node \"%s\", sub-mesh %zu: %s\n", node.getName().c_str(), sub, rule);
    std::abort();
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
    for (uint32_t index :
         workshop::readBuffer<uint32_t>(GL_ELEMENT_ARRAY_BUFFER, sub.indicesVBO_ID, sub.numberIndices)) {
        if (index >= sub.numberVertices / 3) {
            fail(node, i, "index past the vertices");
        }
    }
}

}  // namespace

void checkImportedTree(const ovra::Node& root) { workshop::forEachSubMesh(root, checkSub); }
