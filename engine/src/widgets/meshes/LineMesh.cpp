#include "Ovra3D/widgets/meshes/LineMesh.hpp"

#include <algorithm>

namespace ovra {

LineMesh::LineMesh() {
    Sub& sub = createSubMesh();
    sub.numberVertices = 6;
    sub.numberTextureCoordinates = 4;
    sub.numberIndices = 2;
    sub.initializeData();

    const float vertices[] = {0.0f, 0.0f, -0.5f, 0.0f, 0.0f, 0.5f};
    const float textureCoordinates[] = {0.0f, 0.0f, 1.0f, 1.0f};
    const uint32_t indices[] = {0, 1};
    std::copy(std::begin(vertices), std::end(vertices), sub.data.vertices);
    std::copy(std::begin(textureCoordinates), std::end(textureCoordinates), sub.data.textureCoordinates);
    std::copy(std::begin(indices), std::end(indices), sub.data.indices);

    Mesh::pushToGPU(true);
}

}  // namespace ovra
