/// \file
/// Drawable geometry made of sub-meshes.
#ifndef OVRA_MESH_HPP
#define OVRA_MESH_HPP

#include "Ovra3D/common.hpp"

#include <vector>

namespace ovra {

class Material;
class Renderer;

/// Drawable geometry: sub-meshes of positions, texture coordinates and indices, and
/// optionally normals and vertex colours, each uploaded into a vertex array object and
/// drawn with its own material.
/// A sub-mesh is named by its index; an index that names none is ignored, or answered
/// with false, -1 or an error line, never by touching memory.
class Mesh {
public:
    /// One sub-mesh: its CPU arrays, its counts, its GL objects and its material.
    /// Only ever destroyed as a Sub, by its Mesh.
    class Sub final {
    public:
        /// The CPU arrays of a sub-mesh; null when absent.
        struct Data {
            Data() = default;
            ~Data() { destroy(); }
            Data(const Data&) = delete;
            Data& operator=(const Data&) = delete;
            /// Releases the arrays and leaves them null.
            void destroy();

            float* vertices = nullptr;            ///< x y z per vertex.
            float* textureCoordinates = nullptr;  ///< u v per vertex.
            uint32_t* indices = nullptr;          ///< 0-based vertex numbers.
            float* normals = nullptr;             ///< x y z per vertex; optional.
            float* colors = nullptr;              ///< r g b a per vertex, 0 to 1; optional.
        };

        /// Empty: counts and ids 0, no arrays, no material.
        Sub() = default;
        /// Deletes the GL objects and the arrays.
        ~Sub();
        Sub(const Sub&) = delete;
        Sub& operator=(const Sub&) = delete;

        /// Allocates the three arrays when all three of their counts are non-zero, and then
        /// also the normals and colours whose counts are non-zero; arrays already there are
        /// released first, so a second call does not leak them.
        void initializeData();
        /// Uploads the arrays into a vertex array object with a static buffer each (replacing
        /// those of an earlier upload), then with `destroyCPUData` drops the arrays. Does
        /// nothing with fewer than two indices or without positions or indices. The counts
        /// must not exceed the arrays. Positions go to attribute location 0, texture
        /// coordinates to 1, normals to 2 and colours to 3 (see Shader). Without normals the
        /// shader reads (0, 0, 0) at location 2; without colours, opaque white at location 3,
        /// so that colour-multiplying shaders draw such meshes in their material's colour.
        /// Needs the GL context.
        virtual void pushToGPU(bool destroyCPUData);

        Data data;                              ///< The CPU arrays, owned.
        Material* material = nullptr;           ///< Drawn with; not owned; null = not drawn.
        uint32_t numberIndices = 0;             ///< Entries of data.indices.
        uint32_t numberVertices = 0;            ///< Floats of data.vertices: three per vertex.
        uint32_t numberTextureCoordinates = 0;  ///< Floats of data.textureCoordinates: two per vertex.
        uint32_t numberNormals = 0;             ///< Floats of data.normals: three per vertex, or 0.
        uint32_t numberColors = 0;              ///< Floats of data.colors: four per vertex, or 0.
        GLuint VAO_ID = 0;                      ///< Vertex array object; 0 = not uploaded.
        GLuint indicesVBO_ID = 0;               ///< Element buffer; 0 = none.
        GLuint verticesVBO_ID = 0;              ///< Position buffer; 0 = none.
        GLuint textureCoordinatesVBO_ID = 0;    ///< Texture coordinate buffer; 0 = none.
        GLuint normalsVBO_ID = 0;               ///< Normal buffer; 0 = none.
        GLuint colorsVBO_ID = 0;                ///< Vertex colour buffer; 0 = none.

    private:
        void deleteGLObjects();
        // Uploads `count` floats into a new buffer fed to attribute `location`, `size` per vertex.
        static void uploadAttribute(GLuint& buffer, GLuint location, GLint size, uint32_t count, const float* values);
    };

    /// No sub-meshes.
    Mesh() = default;
    /// Destroys every sub-mesh; the materials live on.
    virtual ~Mesh();
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    /// Uploads every sub-mesh in order (see Sub::pushToGPU()).
    virtual void pushToGPU(bool destroyCPUData);

    /// Appends a new, empty sub-mesh that the mesh owns. \return the sub-mesh.
    Sub& createSubMesh();
    /// True when `subMeshIndex` names a sub-mesh.
    bool hasSubMesh(int subMeshIndex) const;
    /// Gives the sub-mesh `material` (null for none); an index that names none is ignored.
    void setMaterial(Material* material, int subMeshIndex);
    /// Gives the sub-mesh the ObjectManager's material `id`; an unknown id leaves it without
    /// material, an index that names no sub-mesh is ignored.
    void setMaterialID(long id, int subMeshIndex);
    /// True when the index names a sub-mesh that has a material.
    bool hasMaterial(int subMeshIndex) const;
    /// The id of the sub-mesh's material; -1, with an error line, when hasMaterial() is false.
    long getMaterialID(int subMeshIndex) const;
    /// The sub-mesh's material. When hasMaterial() is false: an error line and a stand-in
    /// material that no sub-mesh draws with and that binds to no shader, so settings made
    /// on it go nowhere.
    Material& getMaterial(int subMeshIndex) const;
    /// The sub-meshes in order, for callers that read their GL buffers (bounds, exports).
    const std::vector<Sub*>& getSubMeshes() const { return subMeshes_; }

protected:
    friend class Renderer;
    std::vector<Sub*> subMeshes_;  ///< The sub-meshes in order, owned.
};

}  // namespace ovra

#endif
