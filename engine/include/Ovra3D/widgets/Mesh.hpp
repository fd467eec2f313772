#ifndef OVRA_MESH_HPP
#define OVRA_MESH_HPP

#include "Ovra3D/common.hpp"

#include <vector>

namespace ovra {

class Material;
class Renderer;

// Drawable geometry: sub-meshes of positions, texture coordinates and indices,
// each uploaded into a vertex array object and drawn with its own material.
class Mesh {
public:
    // Only ever destroyed as a Sub, by its Mesh.
    class Sub final {
    public:
        // The CPU arrays of a sub-mesh; null when absent.
        struct Data {
            Data() = default;
            ~Data() { destroy(); }
            Data(const Data&) = delete;
            Data& operator=(const Data&) = delete;
            void destroy();

            float* vertices = nullptr;
            float* textureCoordinates = nullptr;
            uint32_t* indices = nullptr;
        };

        Sub() = default;
        ~Sub();
        Sub(const Sub&) = delete;
        Sub& operator=(const Sub&) = delete;

        // Allocates the three arrays when all three counts are non-zero.
        void initializeData();
        virtual void pushToGPU(bool destroyCPUData);

        Data data;
        Material* material = nullptr;
        uint32_t numberIndices = 0;
        uint32_t numberVertices = 0;            // floats: three per vertex
        uint32_t numberTextureCoordinates = 0;  // floats: two per vertex
        GLuint VAO_ID = 0;
        GLuint indicesVBO_ID = 0;
        GLuint verticesVBO_ID = 0;
        GLuint textureCoordinatesVBO_ID = 0;

    private:
        void deleteGLObjects();
    };

    Mesh() = default;
    virtual ~Mesh();
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    virtual void pushToGPU(bool destroyCPUData);

    Sub& createSubMesh();
    bool hasSubMesh(int subMeshIndex) const;
    void setMaterial(Material* material, int subMeshIndex);
    void setMaterialID(long id, int subMeshIndex);
    bool hasMaterial(int subMeshIndex) const;
    // Both require hasMaterial(subMeshIndex).
    long getMaterialID(int subMeshIndex) const;
    Material& getMaterial(int subMeshIndex) const;
    // The sub-meshes in order, for callers that read their GL buffers (bounds, exports).
    const std::vector<Sub*>& getSubMeshes() const { return subMeshes_; }

protected:
    friend class Renderer;
    std::vector<Sub*> subMeshes_;
};

}  // namespace ovra

#endif
