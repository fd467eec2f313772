#ifndef OVRA_TESTS_EMBEDDEDMODELS_HPP
#define OVRA_TESTS_EMBEDDEDMODELS_HPP

// glTF and FBX files of a textured quad, written by the tests.

#include <assimp/scene.h>

#include <initializer_list>
#include <memory>
#include <string>

// Model files that carry their colour texture inside, written by the tests. Each holds one
// quad from (-1, -1, 0) to (1, 1, 0), facing +z, with a white material whose diffuse
// texture is the image file `png` (its bytes), covering the whole face upright.

// The same quad untextured, as glTF 2.0 with its buffer inline, under a node placed by
// `nodePlacement` (glTF's "translation", "rotation" as x y z w, "scale"); its material is
// named "wood" and has no other key.
std::string quadGltf(const std::string& nodePlacement = R"("translation":[0,0,0])");
// glTF 2.0 as JSON, its buffer and its image as base64 data URIs.
std::string texturedQuadGltfWithDataUris(const std::string& png);
// glTF 2.0 binary (GLB): the image lies in a buffer view of the binary chunk.
std::string texturedQuadGlb(const std::string& png);
// Binary FBX 7.4 with the image as the content of its video object. Written by assimp's
// exporter from a scene built here, then re-encoded with the 32-bit record offsets that
// assimp's own FBX reader expects (it cannot read back the 64-bit form it writes).
std::string texturedQuadFbx(const std::string& png);

// The same quad as an assimp scene whose material names "*0", the scene's one texture,
// which the scene takes over.
std::unique_ptr<aiScene> texturedQuadScene(aiTexture* texture);
// The bytes of `values` as they lie in memory, for writing binary model files.
template <typename T>
std::string bytesOf(std::initializer_list<T> values) {
    std::string bytes;
    for (const T& v : values) {
        bytes.append(reinterpret_cast<const char*>(&v), sizeof(T));
    }
    return bytes;
}

// An embedded texture holding the image file `bytes` (assimp's compressed form).
aiTexture* compressedTexture(const std::string& bytes, const char* formatHint);

// Standard base64 with padding.
std::string base64(const std::string& bytes);

#endif
