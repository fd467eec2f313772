#include "SyntheticScene.hpp"

#include "ByteReader.hpp"

#include <assimp/material.h>

#include <string>

namespace {

constexpr unsigned int kHuge[] = {0xFFFFFFFFu, 0x80000000u, 0x55555556u, 1000000u};

// The keys the import reads, and one made up by the input.
const char* const kKeys[] = {"?mat.name",      "$clr.ambient",     "$clr.diffuse", "$clr.specular", "$mat.opacity",
                             "$mat.shininess", "$mat.shinpercent", "$tex.file",    "$clr.emissive"};

const char* const kTexturePaths[] = {"tex.png", "C:\\art\\tex.png", "/abs/dir/tex.png", "", "*0", "missing.png", "..",
                                     "."};

}  // namespace

SyntheticScene::SyntheticScene(ByteReader& in) : in_(in), scene_(std::make_unique<aiScene>()) {
    const uint8_t shape = in_.byte();
    const unsigned int meshes = count(6);
    if ((shape & 1) != 0) {
        lie(scene_->mNumMeshes, true, meshes);
    } else {
        scene_->mNumMeshes = meshes;
        scene_->mMeshes = new aiMesh*[meshes]();
        for (unsigned int i = 0; i < meshes; ++i) {
            scene_->mMeshes[i] = in_.below(16) == 0 ? nullptr : newMesh();
        }
    }
    const unsigned int materials = count(4);
    if ((shape & 2) != 0) {
        lie(scene_->mNumMaterials, true, materials);
    } else {
        scene_->mNumMaterials = materials;
        scene_->mMaterials = new aiMaterial*[materials]();
        for (unsigned int i = 0; i < materials; ++i) {
            scene_->mMaterials[i] = newMaterial();
        }
    }
    if ((shape & 4) == 0) {
        scene_->mRootNode = newNode(nullptr, 0);
    }
}

SyntheticScene::~SyntheticScene() {
    for (unsigned int* field : lies_) {
        *field = 0;
    }
}

unsigned int SyntheticScene::count(unsigned int max) { return in_.below(max + 1); }

void SyntheticScene::lie(unsigned int& field, bool missingArray, unsigned int shown) {
    if (!missingArray) {
        return;
    }
    const uint8_t pick = in_.byte();
    field = pick < 128 ? shown : kHuge[pick % 4];
    lies_.push_back(&field);
}

aiMesh* SyntheticScene::newMesh() {
    auto* mesh = new aiMesh();
    mesh->mMaterialIndex = in_.byte() < 224 ? in_.below(6) : in_.u32();
    const unsigned int vertices = count(24);
    if (in_.below(8) == 0) {
        lie(mesh->mNumVertices, true, vertices);
    } else {
        mesh->mNumVertices = vertices;
        mesh->mVertices = new aiVector3D[vertices];
        for (unsigned int v = 0; v < vertices; ++v) {
            mesh->mVertices[v] = aiVector3D(in_.number(), in_.number(), in_.number());
        }
        if (in_.flag()) {
            mesh->mNumUVComponents[0] = 2 + in_.below(2);
            mesh->mTextureCoords[0] = new aiVector3D[vertices];
            for (unsigned int v = 0; v < vertices; ++v) {
                mesh->mTextureCoords[0][v] = aiVector3D(in_.number(), in_.number(), 0.0f);
            }
        }
    }
    const unsigned int faces = count(24);
    if (in_.below(8) == 0) {
        lie(mesh->mNumFaces, true, faces);
        return mesh;
    }
    mesh->mNumFaces = faces;
    mesh->mFaces = new aiFace[faces];
    for (unsigned int f = 0; f < faces; ++f) {
        aiFace& face = mesh->mFaces[f];
        const unsigned int corners = in_.below(6);
        if (in_.below(16) == 0) {
            lie(face.mNumIndices, true, corners);
            continue;
        }
        face.mNumIndices = corners;
        face.mIndices = new unsigned int[corners];
        for (unsigned int c = 0; c < corners; ++c) {
            face.mIndices[c] = in_.byte() < 240 ? in_.below(vertices + 2) : in_.u32();
        }
    }
    return mesh;
}

aiMaterial* SyntheticScene::newMaterial() {
    auto* material = new aiMaterial();
    const unsigned int properties = count(8);
    for (unsigned int p = 0; p < properties; ++p) {
        addProperty(*material);
    }
    return material;
}

// Any of the keys with any type: floats, doubles or integers in any number, a string, or raw
// bytes; under semantic 0, the diffuse texture slot or another, at index 0 to 2.
void SyntheticScene::addProperty(aiMaterial& material) {
    const unsigned int keyPick = in_.below(10);
    const std::string key = keyPick < 9 ? kKeys[keyPick] : in_.text(8);
    const uint8_t semanticPick = in_.byte() % 4;
    const unsigned int diffuse = aiTextureType_DIFFUSE;
    const unsigned int semantic = semanticPick == 0 ? 0u : semanticPick == 1 ? diffuse : in_.byte();
    const unsigned int index = in_.below(3);
    const unsigned int items = 1 + in_.below(6);
    switch (in_.below(5)) {
        case 0: {
            std::vector<float> values(items);
            for (float& v : values) {
                v = in_.number();
            }
            material.AddBinaryProperty(values.data(), items * sizeof(float), key.c_str(), semantic, index, aiPTI_Float);
            break;
        }
        case 1: {
            std::vector<double> values(items);
            for (double& v : values) {
                v = in_.number();
            }
            material.AddBinaryProperty(values.data(), items * sizeof(double), key.c_str(), semantic, index,
                                       aiPTI_Double);
            break;
        }
        case 2: {
            std::vector<int> values(items);
            for (int& v : values) {
                v = static_cast<int>(in_.u32());
            }
            material.AddBinaryProperty(values.data(), items * sizeof(int), key.c_str(), semantic, index, aiPTI_Integer);
            break;
        }
        case 3: {
            const unsigned int pathPick = in_.below(10);
            const aiString text(pathPick < 8 ? std::string(kTexturePaths[pathPick]) : in_.text(24));
            material.AddProperty(&text, key.c_str(), semantic, index);
            break;
        }
        default: {
            const std::string bytes = in_.text(16) + '\0';
            material.AddBinaryProperty(bytes.data(), static_cast<unsigned int>(bytes.size()), key.c_str(), semantic,
                                       index, aiPTI_Buffer);
            break;
        }
    }
}

void SyntheticScene::fillMatrix(aiMatrix4x4& m) {
    switch (in_.below(3)) {
        case 0: break;  // identity
        case 1:
            m.a4 = in_.number();
            m.b4 = in_.number();
            m.c4 = in_.number();
            m.a1 = in_.number();
            m.b2 = in_.number();
            m.c3 = in_.number();
            break;
        default:
            for (unsigned int r = 0; r < 4; ++r) {
                for (unsigned int c = 0; c < 4; ++c) {
                    m[r][c] = in_.number();
                }
            }
            break;
    }
}

aiNode* SyntheticScene::newNode(aiNode* parent, int depth) {
    --nodesLeft_;
    auto* node = new aiNode(in_.text(12));
    node->mParent = parent;
    fillMatrix(node->mTransformation);
    const unsigned int references = count(4);
    if (in_.below(8) == 0) {
        lie(node->mNumMeshes, true, references);
    } else if (references > 0) {
        node->mNumMeshes = references;
        node->mMeshes = new unsigned int[references];
        for (unsigned int i = 0; i < references; ++i) {
            node->mMeshes[i] = in_.byte() < 224 ? in_.below(scene_->mNumMeshes + 2) : in_.u32();
        }
    }
    const unsigned int children = depth < 6 && nodesLeft_ > 0 ? count(3) : 0;
    if (children > 0 && in_.below(8) == 0) {
        lie(node->mNumChildren, true, children);
    } else if (children > 0) {
        node->mNumChildren = children;
        node->mChildren = new aiNode*[children]();
        for (unsigned int c = 0; c < children; ++c) {
            node->mChildren[c] = in_.below(8) == 0 ? nullptr : newNode(node, depth + 1);
        }
    }
    return node;
}
