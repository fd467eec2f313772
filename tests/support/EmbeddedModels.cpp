#include "EmbeddedModels.hpp"

#include <assimp/material.h>
#include <assimp/scene.h>
#include <assimp/Exporter.hpp>

#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

// The quad's corners, counter-clockwise from the bottom left, with texture coordinates
// measured from the image's top-left corner (glTF's convention).
const float kPositions[] = {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0};
const float kTopDownUvs[] = {0, 1, 1, 1, 1, 0, 0, 0};
const uint16_t kIndices[] = {0, 1, 2, 2, 3, 0};

std::string bytesOf(const void* data, size_t size) { return std::string(static_cast<const char*>(data), size); }

// Positions, coordinates and indices, one after the other: the three buffer views' bytes.
std::string geometryBytes() {
    return bytesOf(kPositions, sizeof(kPositions)) + bytesOf(kTopDownUvs, sizeof(kTopDownUvs)) +
           bytesOf(kIndices, sizeof(kIndices));
}

// The document. `node` holds the node's further members, `material` the material, `image`
// the image (none when empty), `buffer` where the buffer's bytes are and `imageView` the
// buffer view of an image inside it.
std::string gltfJson(const std::string& node, const std::string& material, const std::string& image,
                     size_t bufferLength, const std::string& buffer, const std::string& imageView) {
    const size_t uvOffset = sizeof(kPositions);
    const size_t indexOffset = uvOffset + sizeof(kTopDownUvs);
    const std::string images = image.empty() ? "" : R"("textures":[{"source":0}],"images":[)" + image + "],";
    return R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],"nodes":[{"name":"quad","mesh":0)" + node +
           "}]," +
           R"("meshes":[{"primitives":[{"attributes":{"POSITION":0,"TEXCOORD_0":1},"indices":2,"material":0}]}],)"
           R"("materials":[)" +
           material + "]," + images + R"("buffers":[{"byteLength":)" + std::to_string(bufferLength) + buffer +
           R"(}],"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":)" + std::to_string(sizeof(kPositions)) +
           R"(},{"buffer":0,"byteOffset":)" + std::to_string(uvOffset) + R"(,"byteLength":)" +
           std::to_string(sizeof(kTopDownUvs)) + R"(},{"buffer":0,"byteOffset":)" + std::to_string(indexOffset) +
           R"(,"byteLength":)" + std::to_string(sizeof(kIndices)) + "}" + imageView +
           R"(],"accessors":[)"
           R"({"bufferView":0,"componentType":5126,"count":4,"type":"VEC3","min":[-1,-1,0],"max":[1,1,0]},)"
           R"({"bufferView":1,"componentType":5126,"count":4,"type":"VEC2"},)"
           R"({"bufferView":2,"componentType":5123,"count":6,"type":"SCALAR"}]})";
}

// A white material whose base colour is the file's image 0.
const char* const kTexturedMaterial =
    R"({"pbrMetallicRoughness":{"baseColorFactor":[1,1,1,1],"baseColorTexture":{"index":0},)"
    R"("metallicFactor":0,"roughnessFactor":1}})";

std::string dataUri(const char* mediaType, const std::string& bytes) {
    return std::string("data:") + mediaType + ";base64," + base64(bytes);
}

void appendU32(std::string& out, uint32_t value) { out += bytesOf(&value, 4); }

// A GLB chunk: length, type, data padded to four bytes with `pad`.
std::string glbChunk(std::string data, uint32_t type, char pad) {
    data.append((4 - data.size() % 4) % 4, pad);
    std::string chunk;
    appendU32(chunk, static_cast<uint32_t>(data.size()));
    appendU32(chunk, type);
    return chunk + data;
}

// ---- FBX: assimp's export, re-encoded with 32-bit offsets.

struct FbxRecord {
    std::string name;
    uint64_t propertyCount = 0;
    std::string properties;
    std::vector<FbxRecord> children;
};

uint64_t readU64(const std::string& bytes, size_t at) {
    if (at + 8 > bytes.size()) {
        throw std::runtime_error("FBX record past the end");
    }
    uint64_t value = 0;
    std::memcpy(&value, bytes.data() + at, 8);
    return value;
}

// Reads the record at `at` (64-bit form); false at the null record that ends a list.
bool readFbxRecord(const std::string& bytes, size_t& at, FbxRecord& record) {
    const uint64_t end = readU64(bytes, at);
    record.propertyCount = readU64(bytes, at + 8);
    const uint64_t propertyBytes = readU64(bytes, at + 16);
    const size_t nameLength = static_cast<unsigned char>(bytes.at(at + 24));
    record.name = bytes.substr(at + 25, nameLength);
    at += 25 + nameLength;
    if (end == 0) {
        return false;
    }
    record.properties = bytes.substr(at, propertyBytes);
    at += propertyBytes;
    while (at < end) {
        FbxRecord child;
        if (!readFbxRecord(bytes, at, child)) {
            break;
        }
        record.children.push_back(std::move(child));
    }
    at = end;
    return true;
}

// Appends the record in the 32-bit form, its end offset counted from the file's start.
void writeFbxRecord(const FbxRecord& record, std::string& out) {
    const size_t start = out.size();
    appendU32(out, 0);  // end offset, known at the end
    appendU32(out, static_cast<uint32_t>(record.propertyCount));
    appendU32(out, static_cast<uint32_t>(record.properties.size()));
    out += static_cast<char>(record.name.size());
    out += record.name + record.properties;
    for (const FbxRecord& child : record.children) {
        writeFbxRecord(child, out);
    }
    if (!record.children.empty()) {
        out.append(13, '\0');
    }
    const auto end = static_cast<uint32_t>(out.size());
    std::memcpy(&out[start], &end, 4);
}

std::string fbx74From75(const std::string& fbx75) {
    const size_t headerSize = 27;  // magic, version
    std::string out = fbx75.substr(0, 23);
    appendU32(out, 7400);
    size_t at = headerSize;
    for (FbxRecord record; readFbxRecord(fbx75, at, record); record = FbxRecord()) {
        writeFbxRecord(record, out);
    }
    out.append(13, '\0');
    return out + fbx75.substr(at);
}

}  // namespace

std::string base64(const std::string& bytes) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t group = static_cast<unsigned char>(bytes[i]) << 16;
        const size_t left = bytes.size() - i;
        if (left > 1) {
            group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        }
        if (left > 2) {
            group |= static_cast<unsigned char>(bytes[i + 2]);
        }
        out += kAlphabet[(group >> 18) & 63];
        out += kAlphabet[(group >> 12) & 63];
        out += left > 1 ? kAlphabet[(group >> 6) & 63] : '=';
        out += left > 2 ? kAlphabet[group & 63] : '=';
    }
    return out;
}

aiTexture* compressedTexture(const std::string& bytes, const char* formatHint) {
    auto* texture = new aiTexture();
    texture->mWidth = static_cast<unsigned int>(bytes.size());
    texture->mHeight = 0;
    texture->pcData = new aiTexel[(bytes.size() + sizeof(aiTexel) - 1) / sizeof(aiTexel)];
    std::memcpy(texture->pcData, bytes.data(), bytes.size());
    std::strncpy(texture->achFormatHint, formatHint, HINTMAXTEXTURELEN - 1);
    texture->mFilename = aiString("quad.png");
    return texture;
}

std::unique_ptr<aiScene> texturedQuadScene(aiTexture* texture) {
    auto scene = std::make_unique<aiScene>();
    scene->mRootNode = new aiNode("quad");
    scene->mRootNode->mNumMeshes = 1;
    scene->mRootNode->mMeshes = new unsigned int[1]{0};

    auto* mesh = new aiMesh();
    mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    mesh->mNumVertices = 4;
    mesh->mVertices = new aiVector3D[4];
    mesh->mTextureCoords[0] = new aiVector3D[4];
    mesh->mNumUVComponents[0] = 2;
    for (unsigned int v = 0; v < 4; ++v) {
        mesh->mVertices[v] = aiVector3D(kPositions[3 * v], kPositions[3 * v + 1], kPositions[3 * v + 2]);
        // assimp's scenes measure v from the image's bottom row.
        mesh->mTextureCoords[0][v] = aiVector3D(kTopDownUvs[2 * v], 1.0f - kTopDownUvs[2 * v + 1], 0.0f);
    }
    mesh->mNumFaces = 2;
    mesh->mFaces = new aiFace[2];
    for (unsigned int f = 0; f < 2; ++f) {
        mesh->mFaces[f].mNumIndices = 3;
        mesh->mFaces[f].mIndices = new unsigned int[3]{kIndices[3 * f], kIndices[3 * f + 1], kIndices[3 * f + 2]};
    }
    scene->mNumMeshes = 1;
    scene->mMeshes = new aiMesh* [1] { mesh };

    auto* material = new aiMaterial();
    const aiString texturePath("*0");
    material->AddProperty(&texturePath, AI_MATKEY_TEXTURE_DIFFUSE(0));
    const aiColor3D white(1.0f, 1.0f, 1.0f);
    material->AddProperty(&white, 1, AI_MATKEY_COLOR_DIFFUSE);
    scene->mNumMaterials = 1;
    scene->mMaterials = new aiMaterial* [1] { material };

    scene->mNumTextures = 1;
    scene->mTextures = new aiTexture* [1] { texture };
    return scene;
}

std::string quadGltf(const std::string& nodePlacement) {
    const std::string geometry = geometryBytes();
    return gltfJson("," + nodePlacement, R"({"name":"wood"})", "", geometry.size(),
                    R"(,"uri":")" + dataUri("application/octet-stream", geometry) + "\"", "");
}

std::string texturedQuadGltfWithDataUris(const std::string& png) {
    const std::string geometry = geometryBytes();
    return gltfJson("", kTexturedMaterial, R"({"uri":")" + dataUri("image/png", png) + "\"}", geometry.size(),
                    R"(,"uri":")" + dataUri("application/octet-stream", geometry) + "\"", "");
}

std::string texturedQuadGlb(const std::string& png) {
    std::string bin = geometryBytes();
    const size_t imageOffset = bin.size();
    bin += png;
    const std::string json = gltfJson("", kTexturedMaterial, R"({"bufferView":3,"mimeType":"image/png"})", bin.size(),
                                      "",
                                      R"(,{"buffer":0,"byteOffset":)" + std::to_string(imageOffset) +
                                          R"(,"byteLength":)" + std::to_string(png.size()) + "}");
    const std::string chunks = glbChunk(json, 0x4E4F534A, ' ') + glbChunk(bin, 0x004E4942, '\0');
    std::string glb = "glTF";
    appendU32(glb, 2);
    appendU32(glb, static_cast<uint32_t>(12 + chunks.size()));
    return glb + chunks;
}

std::string texturedQuadFbx(const std::string& png) {
    const std::unique_ptr<aiScene> scene = texturedQuadScene(compressedTexture(png, "png"));
    Assimp::Exporter exporter;
    const aiExportDataBlob* blob = exporter.ExportToBlob(scene.get(), "fbx");
    if (blob == nullptr) {
        throw std::runtime_error(std::string("FBX export failed: ") + exporter.GetErrorString());
    }
    return fbx74From75(bytesOf(blob->data, blob->size));
}
