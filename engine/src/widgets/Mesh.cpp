#include "Ovra3D/widgets/Mesh.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Shader.hpp"
#include "Ovra3D/utils.hpp"
#include "Ovra3D/widgets/Material.hpp"

#include <initializer_list>
#include <iostream>

namespace ovra {

void Mesh::Sub::Data::destroy() {
    delete[] indices;
    delete[] vertices;
    delete[] textureCoordinates;
    delete[] normals;
    delete[] colors;
    indices = nullptr;
    vertices = nullptr;
    textureCoordinates = nullptr;
    normals = nullptr;
    colors = nullptr;
}

Mesh::Sub::~Sub() { deleteGLObjects(); }

void Mesh::Sub::deleteGLObjects() {
    for (GLuint* buffer : {&colorsVBO_ID, &normalsVBO_ID}) {
        if (*buffer != 0) {
            glDeleteBuffers(1, buffer);
            *buffer = 0;
        }
    }
    if (textureCoordinatesVBO_ID != 0) {
        glDeleteBuffers(1, &textureCoordinatesVBO_ID);
    }
    if (verticesVBO_ID != 0) {
        glDeleteBuffers(1, &verticesVBO_ID);
    }
    if (indicesVBO_ID != 0) {
        glDeleteBuffers(1, &indicesVBO_ID);
    }
    if (VAO_ID != 0) {
        glDeleteVertexArrays(1, &VAO_ID);
    }
    textureCoordinatesVBO_ID = verticesVBO_ID = indicesVBO_ID = VAO_ID = 0;
}

void Mesh::Sub::initializeData() {
    data.destroy();
    if (numberVertices == 0 || numberIndices == 0 || numberTextureCoordinates == 0) {
        return;
    }
    data.vertices = new float[numberVertices];
    data.textureCoordinates = new float[numberTextureCoordinates];
    data.indices = new uint32_t[numberIndices];
    if (numberNormals > 0) {
        data.normals = new float[numberNormals];
    }
    if (numberColors > 0) {
        data.colors = new float[numberColors];
    }
}

void Mesh::Sub::uploadAttribute(GLuint& buffer, GLuint location, GLint size, uint32_t count, const float* values) {
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count) * 4, values, GL_STATIC_DRAW);
    glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(location);
}

void Mesh::Sub::pushToGPU(bool destroyCPUData) {
    if (numberIndices < 2 || data.vertices == nullptr || data.indices == nullptr || !has_gl_context("upload a mesh")) {
        return;
    }
    deleteGLObjects();
    glGenVertexArrays(1, &VAO_ID);
    glGenBuffers(1, &indicesVBO_ID);
    glGenBuffers(1, &verticesVBO_ID);
    glGenBuffers(1, &textureCoordinatesVBO_ID);

    glBindVertexArray(VAO_ID);

    glBindBuffer(GL_ARRAY_BUFFER, verticesVBO_ID);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(numberVertices) * 4, data.vertices, GL_STATIC_DRAW);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(0);

    glBindBuffer(GL_ARRAY_BUFFER, textureCoordinatesVBO_ID);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(numberTextureCoordinates) * 4, data.textureCoordinates,
                 GL_STATIC_DRAW);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(1);

    if (data.normals != nullptr && numberNormals > 0) {
        uploadAttribute(normalsVBO_ID, Shader::ATTRIB_NORMAL_POS, 3, numberNormals, data.normals);
    }
    if (data.colors != nullptr && numberColors > 0) {
        uploadAttribute(colorsVBO_ID, Shader::ATTRIB_COLOR_POS, 4, numberColors, data.colors);
    } else {
        // A disabled array reads the context's current value, which starts as (0, 0, 0, 1):
        // white instead lets shaders multiply by the vertex colour whatever the mesh holds.
        glVertexAttrib4f(Shader::ATTRIB_COLOR_POS, 1.0f, 1.0f, 1.0f, 1.0f);
    }

    // Bound while the vertex array is, so the array records its element buffer.
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indicesVBO_ID);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(numberIndices) * 4, data.indices, GL_STATIC_DRAW);

    glBindVertexArray(0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    if (destroyCPUData) {
        data.destroy();
    }
}

Mesh::~Mesh() {
    for (Sub* sub : subMeshes_) {
        delete sub;
    }
    subMeshes_.clear();
}

void Mesh::pushToGPU(bool destroyCPUData) {
    for (Sub* sub : subMeshes_) {
        sub->pushToGPU(destroyCPUData);
    }
}

Mesh::Sub& Mesh::createSubMesh() {
    subMeshes_.push_back(new Sub());
    return *subMeshes_.back();
}

bool Mesh::hasSubMesh(int subMeshIndex) const {
    return subMeshIndex >= 0 && static_cast<size_t>(subMeshIndex) < subMeshes_.size();
}

void Mesh::setMaterial(Material* material, int subMeshIndex) {
    if (hasSubMesh(subMeshIndex)) {
        subMeshes_[subMeshIndex]->material = material;
    }
}

void Mesh::setMaterialID(long id, int subMeshIndex) { setMaterial(ObjectManager::getMaterial(id), subMeshIndex); }

bool Mesh::hasMaterial(int subMeshIndex) const {
    return hasSubMesh(subMeshIndex) && subMeshes_[subMeshIndex]->material != nullptr;
}

namespace {

void reportNoMaterial(int subMeshIndex) {
    std::cout << "ERROR: Ovra: Mesh: sub-mesh " << subMeshIndex << " has no material" << std::endl;
}

}  // namespace

long Mesh::getMaterialID(int subMeshIndex) const {
    if (!hasMaterial(subMeshIndex)) {
        reportNoMaterial(subMeshIndex);
        return -1;
    }
    return subMeshes_[subMeshIndex]->material->getID();
}

Material& Mesh::getMaterial(int subMeshIndex) const {
    if (!hasMaterial(subMeshIndex)) {
        reportNoMaterial(subMeshIndex);
        // Made once, never destroyed and never bound to a shader: no mesh draws with it.
        static Material* const standIn = [] {
            auto* material = new Material();
            material->standIn_ = true;
            return material;
        }();
        return *standIn;
    }
    return *subMeshes_[subMeshIndex]->material;
}

}  // namespace ovra
