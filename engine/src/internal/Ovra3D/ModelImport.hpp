/// \file
/// The steps of ObjectManager::load3DFile: turning an assimp scene into entities, visuals,
/// meshes, materials and textures. An internal header, never installed: assimp's types stay
/// out of the public headers, so assimp is a private dependency of the engine. The
/// repository's own tests, fuzz targets and benchmarks reach it through Ovra::Ovra3D_internal.
#ifndef OVRA_MODELIMPORT_HPP
#define OVRA_MODELIMPORT_HPP

#include "Ovra3D/Color.hpp"

#include <assimp/material.h>
#include <assimp/matrix4x4.h>
#include <assimp/scene.h>

#include <string>

namespace ovra {

class Entity;
class Material;
class Shader;
class Transform;

/// The unattached tree that ObjectManager::load3DFile returns for a scene read from `filePath`
/// (relative to the resources folder): a root named `filePath` over the scene's nodes, or the
/// root alone when the scene holds no meshes or no root node. The caller owns it.
/// Needs the GL context: meshes are uploaded.
Entity* load_aiscene_into_entity_tree(const aiScene& aiscene, const std::string& filePath, Shader* shader);

/// Converts `currentNode` and, recursively, its children into entities under `parentEntity`:
/// one entity per node, named after the node or, for an unnamed node, after the file part of
/// `basisName`; one owning visual per node with meshes, one sub-mesh per mesh reference;
/// materials shared within a node, never across nodes. `basisName` is the model's path
/// relative to the resources folder, which is where the model's textures are looked for.
/// A null `shader` leaves the materials without one. Needs the GL context: meshes are uploaded.
void load_aiscene_nodes_with_meshes(const aiScene& aiscene, const std::string& basisName, aiNode& currentNode,
                                    Entity& parentEntity, Shader* shader);

/// Fills `material` from `aimaterial`: name, colours, opacity, specular factor and the first
/// diffuse texture. A texture embedded in the file (named "*0", "*1"... or after an embedded
/// image's file name) is taken from `aiscene` when given, decoded from memory; any other is
/// looked for beside the model whatever folder the file names.
void load_aimaterial_into_ovra_material(const std::string& basisName, const aiMaterial& aimaterial, Material& material,
                                        const aiScene* aiscene = nullptr);

/// Sets `color` to the colour stored under the key, or to the given default when there is
/// none or `pKey` is null.
void cvt_aimatcolor_to_ovracolor(const char* pKey, unsigned int type, unsigned int idx, const aiMaterial& aimaterial,
                                 Color& color, float defaultR, float defaultG, float defaultB);

/// Sets the transform's local scale, rotation and position from a node matrix.
void copy_ai_to_ovra_transform(const aiMatrix4x4& aitransformation, Transform& transform);

}  // namespace ovra

#endif
