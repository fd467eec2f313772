#include "Ovra3D/widgets/meshes/PlaneMesh.hpp"

#include <glm/gtc/type_ptr.hpp>

#include <algorithm>

namespace ovra {

PlaneMesh::PlaneMesh(float textureX, float textureY, float textureW, float textureH) {
    Sub& sub = createSubMesh();
    sub.numberVertices = 12;
    sub.numberTextureCoordinates = 8;
    sub.numberIndices = 6;
    sub.numberNormals = 12;
    sub.initializeData();

    const float left = textureX;
    const float right = textureX + textureW;
    const float top = textureY;  // the image's first row, drawn on the square's top edge
    const float bottom = textureY + textureH;
    const float vertices[] = {-0.5f, -0.5f, 0.0f, -0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, -0.5f, 0.0f};
    const float textureCoordinates[] = {left, bottom, left, top, right, top, right, bottom};
    const uint32_t indices[] = {0, 1, 2, 2, 3, 0};
    std::copy(std::begin(vertices), std::end(vertices), sub.data.vertices);
    std::copy(std::begin(textureCoordinates), std::end(textureCoordinates), sub.data.textureCoordinates);
    std::copy(std::begin(indices), std::end(indices), sub.data.indices);
    // Facing +z, the side a camera of the default orientation sees, for lit shaders.
    for (int v = 0; v < 4; ++v) {
        std::copy_n(glm::value_ptr(glm::vec3(0.0f, 0.0f, 1.0f)), 3, sub.data.normals + 3 * v);
    }

    Mesh::pushToGPU(true);
}

}  // namespace ovra
