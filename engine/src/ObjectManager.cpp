#include "Ovra3D/ObjectManager.hpp"

#include "BuiltinShaders.hpp"
#include "Ovra3D/2D/Entity2D.hpp"
#include "Ovra3D/Entity.hpp"
#include "Ovra3D/ModelImport.hpp"
#include "Ovra3D/Shader.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/utils.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/Mesh.hpp"
#include "Ovra3D/widgets/Texture.hpp"

#include "ModelFileSystem.hpp"

#include <assimp/config.h>
#include <assimp/postprocess.h>
#include <assimp/Importer.hpp>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <memory>
#include <stdexcept>

namespace ovra {

std::map<std::string, Shader*> ObjectManager::shaders_;
std::map<long, Material*> ObjectManager::materials_;
std::string ObjectManager::ressourcesPath_;
std::vector<Texture*> ObjectManager::textures_;
std::map<long, Visual*> ObjectManager::visuals_;
std::map<long, Visual*> ObjectManager::visuals2D_;

namespace {

template <typename Key, typename Value>
Value* find(const std::map<Key, Value*>& table, const Key& key) {
    auto it = table.find(key);
    return it != table.end() ? it->second : nullptr;
}

template <typename Key, typename Value>
Value* take(std::map<Key, Value*>& table, const Key& key) {
    auto it = table.find(key);
    if (it == table.end()) {
        return nullptr;
    }
    Value* value = it->second;
    table.erase(it);
    return value;
}

bool readSource(const std::string& path, std::string& code) {
    if (!get_file_contents(path.c_str(), code)) {
        std::cout << "ERROR: [" << path << "] not found" << std::endl;
        return false;
    }
    return true;
}

// The two sources of the shader `name`: the engine's own pair for a built-in name, else the
// two files under the resources path. `sourceNames` says which, for the shader's error lines.
bool readShaderSources(const std::string& name, std::string& vertexCode, std::string& fragmentCode,
                       std::string& sourceNames) {
    const char* vertex = nullptr;
    const char* fragment = nullptr;
    if (builtin_shader_sources(name, vertex, fragment)) {
        vertexCode = vertex;
        fragmentCode = fragment;
        sourceNames = "the engine's built-in shader " + name;
        return true;
    }
    const std::string vertexFilePath = ObjectManager::getRessourcesPath() + name + ".vert";
    const std::string fragmentFilePath = ObjectManager::getRessourcesPath() + name + ".frag";
    sourceNames = vertexFilePath + " and " + fragmentFilePath;
    return readSource(vertexFilePath, vertexCode) && readSource(fragmentFilePath, fragmentCode);
}

}  // namespace

Shader* ObjectManager::createShader(const std::string& shaderPath, bool reload) {
    auto it = shaders_.find(shaderPath);
    if (it != shaders_.end() && !reload) {
        return it->second;
    }
    std::string vertexCode;
    std::string fragmentCode;
    std::string sourceNames;
    if (!readShaderSources(shaderPath, vertexCode, fragmentCode, sourceNames)) {
        return nullptr;
    }
    if (it != shaders_.end()) {
        it->second->compile(vertexCode.c_str(), fragmentCode.c_str());
        return it->second;
    }
    auto* shader = new Shader(vertexCode.c_str(), fragmentCode.c_str(), sourceNames);
    if (shader->getProgramId() != 0) {
        shaders_[shaderPath] = shader;
    }
    return shader;
}

bool ObjectManager::createDefaultShaders() {
    bool linked = true;
    for (const char* name : {FLAT_SHADER, LIT_SHADER, OVERLAY_SHADER}) {
        Shader* shader = createShader(name, false);
        if (shader != nullptr && shader->getProgramId() == 0) {
            delete shader;  // never registered, so ours; the driver's log has been written
            shader = nullptr;
        }
        linked = linked && shader != nullptr;
    }
    return linked;
}

Shader* ObjectManager::getShader(const std::string& shaderPath) { return find(shaders_, shaderPath); }

Shader* ObjectManager::reloadShader(Shader& shader) {
    for (const auto& [name, registered] : shaders_) {
        if (registered == &shader) {
            return createShader(name, true);
        }
    }
    return &shader;
}

bool ObjectManager::deleteShader(const std::string& shaderPath) {
    Shader* shader = find(shaders_, shaderPath);
    if (shader == nullptr) {
        return false;
    }
    // Its materials would later leave the observer list of a destroyed shader.
    if (shader->hasCompileObservers()) {
        std::cout << "ERROR: Ovra: ObjectManager: shader [" << shaderPath << "] still has materials bound, not deleted"
                  << std::endl;
        return false;
    }
    shaders_.erase(shaderPath);
    delete shader;
    return true;
}

long ObjectManager::createMaterial() {
    auto* mat = new Material();
    materials_[mat->getID()] = mat;
    return mat->getID();
}

Material* ObjectManager::getMaterial(long matId) { return find(materials_, matId); }

Material* ObjectManager::removeMaterial(long matId) { return take(materials_, matId); }

Texture* ObjectManager::createTexture(const std::string& imagePath, unsigned int filter, unsigned int edgeBehaviour) {
    return keepTexture(new Texture(imagePath, filter, edgeBehaviour));
}

Texture* ObjectManager::keepTexture(Texture* texture) {
    if (texture != nullptr) {
        textures_.push_back(texture);
    }
    return texture;
}

Entity* ObjectManager::load3DFile(const std::string& filePath, Shader* shader) {
    const std::string fullPath = ressourcesPath_ + filePath;
    Assimp::Importer importer;
    // Every file the importer opens, the model's companions included, passes the engine's
    // rule: a folder or a pipe reads as a missing file, and no reader loops at a file's end.
    importer.SetIOHandler(new ModelFileSystem());
    // Normals made for a file without them are smooth across gentle bends only: a box keeps
    // its edges, a sphere loses its facets.
    importer.SetPropertyFloat(AI_CONFIG_PP_GSN_MAX_SMOOTHING_ANGLE, 60.0f);
    const aiScene* scene = importer.ReadFile(fullPath, aiProcess_Triangulate | aiProcess_GenSmoothNormals);
    if (scene == nullptr) {
        throw std::invalid_argument(importer.GetErrorString());
    }
    return load_aiscene_into_entity_tree(*scene, filePath, shader);
}

void ObjectManager::setRessourcesPath(const std::string& ressourcesPath) {
    ressourcesPath_ = ressourcesPath;
    // An empty path keeps meaning the working directory rather than becoming "/".
    if (!ressourcesPath_.empty() && ressourcesPath_.back() != '/') {
        ressourcesPath_ += '/';
    }
}

const std::string& ObjectManager::getRessourcesPath() { return ressourcesPath_; }

void ObjectManager::releaseAll() {
    // Materials first: each leaves its shader's observer list while the shader still exists.
    for (auto& [id, material] : materials_) {
        delete material;
    }
    materials_.clear();
    for (Texture* texture : textures_) {
        delete texture;
    }
    textures_.clear();
    for (auto& [name, shader] : shaders_) {
        delete shader;
    }
    shaders_.clear();
}

namespace {

// The renderer takes a 3D visual's node for an Entity and an overlay visual's for an
// Entity2D: a visual of the other kind, or none, must not enter the table.
template <typename NodeKind>
bool acceptsVisual(const Visual* visual, const char* kind) {
    if (visual == nullptr) {
        std::cout << "ERROR: Ovra: ObjectManager: no visual given" << std::endl;
        return false;
    }
    if (dynamic_cast<const NodeKind*>(&visual->getNode()) == nullptr) {
        std::cout << "ERROR: Ovra: ObjectManager: visual " << visual->getID() << " is not on " << kind << std::endl;
        return false;
    }
    return true;
}

}  // namespace

void ObjectManager::addVisual(Visual* visual) {
    if (acceptsVisual<Entity>(visual, "a 3D entity")) {
        visuals_.emplace(visual->getID(), visual);
    }
}

void ObjectManager::addVisual2D(Visual* visual) {
    if (acceptsVisual<Entity2D>(visual, "a 2D entity")) {
        visuals2D_.emplace(visual->getID(), visual);
    }
}

Visual* ObjectManager::getVisual(long visualId) { return find(visuals_, visualId); }

Visual* ObjectManager::getVisual2D(long visualId) { return find(visuals2D_, visualId); }

Visual* ObjectManager::removeVisual(long visualId) { return take(visuals_, visualId); }

Visual* ObjectManager::removeVisual2D(long visualId) { return take(visuals2D_, visualId); }

const std::map<long, Visual*>& ObjectManager::getVisuals() { return visuals_; }

const std::map<long, Visual*>& ObjectManager::getVisuals2D() { return visuals2D_; }

namespace {

// The part of `path` after its last separator; all of it when there is none.
std::string file_part(const std::string& path, const char* separators) {
    const size_t slash = path.find_last_of(separators);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The part of `path` before its last "/"; empty when there is none (the folder it is read from).
std::string folder_part(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string entity_name(const aiNode& node, const std::string& basisName) {
    return node.mName.length > 0 ? std::string(node.mName.C_Str()) : file_part(basisName, "/");
}

// A face the copy keeps: a triangle whose three corners are vertices of the mesh. Points and
// lines carry fewer indices; the other test keeps a damaged file from indexing past the buffers.
bool is_copied_face(const aiFace& face, unsigned int vertexCount) {
    return face.mNumIndices >= 3 && face.mIndices != nullptr && face.mIndices[0] < vertexCount &&
           face.mIndices[1] < vertexCount && face.mIndices[2] < vertexCount;
}

unsigned int vertex_count(const aiMesh& aimesh) { return aimesh.mVertices != nullptr ? aimesh.mNumVertices : 0; }

uint32_t count_copied_faces(const aiMesh& aimesh) {
    if (aimesh.mFaces == nullptr) {
        return 0;
    }
    const unsigned int vertexCount = vertex_count(aimesh);
    uint32_t triangles = 0;
    for (unsigned int f = 0; f < aimesh.mNumFaces; ++f) {
        triangles += is_copied_face(aimesh.mFaces[f], vertexCount) ? 1 : 0;
    }
    return triangles;
}

// Positions and texture coordinates, v flipped (files put v = 0 at the image's bottom row,
// textures are uploaded top row first); zeros where the mesh has no coordinates.
void copy_vertices(const aiMesh& aimesh, Mesh::Sub::Data& data) {
    const aiVector3D* uvs = aimesh.HasTextureCoords(0) ? aimesh.mTextureCoords[0] : nullptr;
    for (unsigned int v = 0; v < aimesh.mNumVertices; ++v) {
        const aiVector3D& p = aimesh.mVertices[v];
        data.vertices[3 * v] = p.x;
        data.vertices[3 * v + 1] = p.y;
        data.vertices[3 * v + 2] = p.z;
        data.textureCoordinates[2 * v] = uvs != nullptr ? uvs[v].x : 0.0f;
        data.textureCoordinates[2 * v + 1] = uvs != nullptr ? 1.0f - uvs[v].y : 0.0f;
    }
}

// Normals, and colours of the first colour set, where the sub-mesh has room for them. The
// normals of degenerate faces come out of assimp as NaN: they become (0, 0, 0), which the
// lit shader draws unshaded.
void copy_normals_and_colors(const aiMesh& aimesh, Mesh::Sub::Data& data) {
    for (unsigned int v = 0; data.normals != nullptr && v < aimesh.mNumVertices; ++v) {
        const aiVector3D& n = aimesh.mNormals[v];
        const bool finite = std::isfinite(n.x) && std::isfinite(n.y) && std::isfinite(n.z);
        data.normals[3 * v] = finite ? n.x : 0.0f;
        data.normals[3 * v + 1] = finite ? n.y : 0.0f;
        data.normals[3 * v + 2] = finite ? n.z : 0.0f;
    }
    for (unsigned int v = 0; data.colors != nullptr && v < aimesh.mNumVertices; ++v) {
        const aiColor4D& c = aimesh.mColors[0][v];
        std::copy(&c.r, &c.r + 4, data.colors + 4 * v);
    }
}

void copy_faces(const aiMesh& aimesh, Mesh::Sub::Data& data) {
    const unsigned int vertexCount = vertex_count(aimesh);
    uint32_t* out = data.indices;
    for (unsigned int f = 0; f < aimesh.mNumFaces; ++f) {
        const aiFace& face = aimesh.mFaces[f];
        if (is_copied_face(face, vertexCount)) {
            out = std::copy(face.mIndices, face.mIndices + 3, out);
        }
    }
}

// Sizes, allocates and fills one sub-mesh. Without a triangle (or a vertex) nothing is
// allocated, so the sub-mesh stays empty and is never uploaded.
void load_sub_mesh(const aiMesh& aimesh, Mesh::Sub& sub) {
    sub.numberVertices = 3 * vertex_count(aimesh);
    sub.numberTextureCoordinates = 2 * vertex_count(aimesh);
    sub.numberIndices = 3 * count_copied_faces(aimesh);
    sub.numberNormals = aimesh.HasNormals() ? 3 * vertex_count(aimesh) : 0;
    sub.numberColors = aimesh.HasVertexColors(0) ? 4 * vertex_count(aimesh) : 0;
    sub.initializeData();
    if (sub.data.vertices == nullptr) {
        return;
    }
    copy_vertices(aimesh, sub.data);
    copy_normals_and_colors(aimesh, sub.data);
    copy_faces(aimesh, sub.data);
}

// Gives sub-mesh `meshIndex` the node's material for the mesh's assimp material, making it
// on first use. A damaged file's material index past the list leaves the sub-mesh without one.
void link_material(const aiScene& aiscene, const std::string& basisName, const aiMesh& aimesh, int meshIndex,
                   Mesh& mesh, std::map<uint32_t, long>& materialsLinks_, Shader* shader) {
    const auto known = materialsLinks_.find(aimesh.mMaterialIndex);
    if (known != materialsLinks_.end()) {
        mesh.setMaterialID(known->second, meshIndex);
        return;
    }
    if (aiscene.mMaterials == nullptr || aimesh.mMaterialIndex >= aiscene.mNumMaterials) {
        return;
    }
    std::cout << "New mat : " << meshIndex << std::endl;
    const long id = ObjectManager::createMaterial();
    materialsLinks_[aimesh.mMaterialIndex] = id;
    mesh.setMaterialID(id, meshIndex);
    Material& material = *ObjectManager::getMaterial(id);
    load_aimaterial_into_ovra_material(basisName, *aiscene.mMaterials[aimesh.mMaterialIndex], material, &aiscene);
    // A material cannot be bound to no shader; without one it simply has none.
    if (shader != nullptr) {
        material.setShader(shader);
    }
}

// One owning visual whose mesh has a sub-mesh per mesh reference of the node, in its order.
// A reference past the scene's mesh list keeps its (empty) sub-mesh so the indices still match.
void load_node_meshes(const aiScene& aiscene, const std::string& basisName, const aiNode& node, Entity& entity,
                      Shader* shader) {
    auto* visual = static_cast<Visual*>(entity.newComponent(Component::VISUAL));
    std::map<uint32_t, long> materialsLinks_;
    auto* mesh = new Mesh();
    for (unsigned int i = 0; i < node.mNumMeshes; ++i) {
        const int meshIndex = static_cast<int>(i);
        Mesh::Sub& sub = mesh->createSubMesh();
        const unsigned int sceneIndex = node.mMeshes[i];
        if (sceneIndex >= aiscene.mNumMeshes || aiscene.mMeshes[sceneIndex] == nullptr) {
            continue;
        }
        const aiMesh& aimesh = *aiscene.mMeshes[sceneIndex];
        load_sub_mesh(aimesh, sub);
        link_material(aiscene, basisName, aimesh, meshIndex, *mesh, materialsLinks_, shader);
    }
    mesh->pushToGPU(true);
    visual->setMesh(mesh, true);
}

// One number under the key, as assimp's Get would read it, but safe with damaged materials:
// assimp writes every value a numeric property holds into a one-value read, and throws when
// a text property is not a number. At most one value is read; a throw counts as no key.
bool read_material_float(const aiMaterial& aimaterial, const char* key, unsigned int type, unsigned int idx,
                         float& out) {
    ai_real value = 0;
    unsigned int count = 1;
    try {
        if (aiGetMaterialFloatArray(&aimaterial, key, type, idx, &value, &count) != aiReturn_SUCCESS || count == 0) {
            return false;
        }
    } catch (const std::exception&) {
        return false;
    }
    out = value;
    return true;
}

// The texture a material's path names inside the file: "*N" is the scene's texture N, any
// other path one whose own file name is the same (FBX keeps embedded images so). Null when
// the path names none, including in a damaged scene's list.
const aiTexture* embedded_texture(const aiScene* aiscene, const std::string& path) {
    if (aiscene == nullptr || aiscene->mTextures == nullptr) {
        return nullptr;
    }
    const std::string name = file_part(path, "/\\");
    if (!name.empty() && name[0] == '*') {
        const std::string digits = name.substr(1);
        if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) {
            return nullptr;
        }
        const unsigned long index = std::stoul(digits);
        return index < aiscene->mNumTextures ? aiscene->mTextures[index] : nullptr;
    }
    for (unsigned int t = 0; t < aiscene->mNumTextures; ++t) {
        const aiTexture* texture = aiscene->mTextures[t];
        if (texture != nullptr && !name.empty() && file_part(texture->mFilename.C_Str(), "/\\") == name) {
            return texture;
        }
    }
    return nullptr;
}

// An image file in memory when the height is 0 (the width is then its size in bytes),
// otherwise width x height raw texels.
Texture* load_embedded_texture(const aiTexture& texture, const std::string& name) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(texture.pcData);
    if (texture.mHeight == 0) {
        return new Texture(bytes, texture.mWidth, name, GL_LINEAR, GL_CLAMP_TO_EDGE);
    }
    if (texture.mWidth > static_cast<unsigned int>(INT_MAX) || texture.mHeight > static_cast<unsigned int>(INT_MAX)) {
        return new Texture(0, 0, nullptr, name, GL_LINEAR, GL_CLAMP_TO_EDGE);
    }
    return new Texture(static_cast<int>(texture.mWidth), static_cast<int>(texture.mHeight), bytes, name, GL_LINEAR,
                       GL_CLAMP_TO_EDGE);
}

void load_diffuse_texture(const std::string& basisName, const aiMaterial& aimaterial, Material& material,
                          const aiScene* aiscene) {
    if (aimaterial.GetTextureCount(aiTextureType_DIFFUSE) == 0) {
        return;
    }
    aiString path;
    if (aimaterial.GetTexture(aiTextureType_DIFFUSE, 0, &path) != aiReturn_SUCCESS) {
        return;
    }
    if (const aiTexture* embedded = embedded_texture(aiscene, path.C_Str())) {
        const std::string name = basisName + ", texture " + path.C_Str();
        material.setColorTexture(ObjectManager::keepTexture(load_embedded_texture(*embedded, name)));
        return;
    }
    // Only the file name counts, whichever system's separators the stored path uses: the
    // texture is looked for beside the model, relative to the resources folder.
    const std::string folder = folder_part(basisName);
    const std::string fileName = file_part(path.C_Str(), "/\\");
    const std::string imagePath = folder.empty() ? fileName : folder + "/" + fileName;
    material.setColorTexture(ObjectManager::createTexture(imagePath, GL_LINEAR, GL_CLAMP_TO_EDGE));
}

}  // namespace

Entity* load_aiscene_into_entity_tree(const aiScene& aiscene, const std::string& filePath, Shader* shader) {
    auto root = std::make_unique<Entity>(filePath);
    if (aiscene.mNumMeshes > 0 && aiscene.mMeshes != nullptr && aiscene.mRootNode != nullptr) {
        // The path relative to the resources folder: textures are created relative to it.
        load_aiscene_nodes_with_meshes(aiscene, filePath, *aiscene.mRootNode, *root, shader);
    }
    return root.release();
}

void load_aiscene_nodes_with_meshes(const aiScene& aiscene, const std::string& basisName, aiNode& currentNode,
                                    Entity& parentEntity, Shader* shader) {
    auto* currentEntity = new Entity(entity_name(currentNode, basisName));
    copy_ai_to_ovra_transform(currentNode.mTransformation, currentEntity->getTransform());
    parentEntity.attach(*currentEntity);
    if (currentNode.mNumMeshes > 0 && currentNode.mMeshes != nullptr) {
        load_node_meshes(aiscene, basisName, currentNode, *currentEntity, shader);
    }
    // A damaged scene may count children it has no list for.
    for (unsigned int c = 0; currentNode.mChildren != nullptr && c < currentNode.mNumChildren; ++c) {
        if (currentNode.mChildren[c] != nullptr) {
            load_aiscene_nodes_with_meshes(aiscene, basisName, *currentNode.mChildren[c], *currentEntity, shader);
        }
    }
}

void load_aimaterial_into_ovra_material(const std::string& basisName, const aiMaterial& aimaterial, Material& material,
                                        const aiScene* aiscene) {
    aiString name;
    aimaterial.Get(AI_MATKEY_NAME, name);
    material.setName(name.C_Str());

    Material::Properties properties;
    cvt_aimatcolor_to_ovracolor(AI_MATKEY_COLOR_AMBIENT, aimaterial, properties.ambientColor, 0.0f, 0.0f, 0.0f);
    cvt_aimatcolor_to_ovracolor(AI_MATKEY_COLOR_DIFFUSE, aimaterial, properties.diffuseColor, 1.0f, 1.0f, 1.0f);
    cvt_aimatcolor_to_ovracolor(AI_MATKEY_COLOR_SPECULAR, aimaterial, properties.specularColor, 1.0f, 1.0f, 1.0f);
    float value = 0.0f;
    if (read_material_float(aimaterial, AI_MATKEY_OPACITY, value)) {
        properties.transparency = std::clamp(value, 0.0f, 1.0f);
    }
    if (read_material_float(aimaterial, AI_MATKEY_SHININESS, value)) {
        properties.specularIntensity = value;
    }
    // Read second, so it wins over the shininess when a material has both.
    if (read_material_float(aimaterial, AI_MATKEY_SHININESS_STRENGTH, value)) {
        properties.specularIntensity = value;
    }
    material.setProperties(properties);

    load_diffuse_texture(basisName, aimaterial, material, aiscene);
}

void cvt_aimatcolor_to_ovracolor(const char* pKey, unsigned int type, unsigned int idx, const aiMaterial& aimaterial,
                                 Color& color, float defaultR, float defaultG, float defaultB) {
    aiColor3D value;
    bool found = false;
    try {
        found = pKey != nullptr && aimaterial.Get(pKey, type, idx, value) == aiReturn_SUCCESS;
    } catch (const std::exception&) {
        // assimp throws on a text property that is not a number: taken as no colour.
    }
    if (found) {
        color = Color(value.r, value.g, value.b);
    } else {
        color = Color(defaultR, defaultG, defaultB);
    }
}

void copy_ai_to_ovra_transform(const aiMatrix4x4& aitransformation, Transform& transform) {
    aiVector3D scale;
    aiQuaternion rotation;
    aiVector3D translation;
    aitransformation.Decompose(scale, rotation, translation);
    transform.setScale(scale.x, scale.y, scale.z);
    // assimp stores w first, glm last: carried over by name, it is the same rotation.
    transform.setRotation(glm::quat(rotation.w, rotation.x, rotation.y, rotation.z));
    transform.setPosition(translation.x, translation.y, translation.z);
}

}  // namespace ovra
