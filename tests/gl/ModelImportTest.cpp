#include "ChildProcess.hpp"
#include "EmbeddedModels.hpp"
#include "GpuTestSupport.hpp"
#include "ImageFile.hpp"

#include "Ovra3D/ModelImport.hpp"
#include "Ovra3D/widgets/Mesh.hpp"

#include <assimp/material.h>
#include <assimp/scene.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#define OVRA_LEAK_CHECKED 1
#endif

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <stdexcept>

using gputest::expectFloats;
using gputest::readBuffer;
using gputest::Scene;
using ovra::Entity;
using ovra::Material;
using ovra::Mesh;
using ovra::ObjectManager;

namespace {

// ---------------------------------------------------------------------------------------------
// Reading back what the import built.

ovra::Visual* visualOf(const ovra::Node& node) {
    return static_cast<ovra::Visual*>(node.getComponent(ovra::Component::VISUAL));
}

Entity& childOf(const ovra::Node& node, unsigned int i) {
    ovra::Node* child = node.getChild(i);
    if (child == nullptr) {
        throw std::out_of_range("no child " + std::to_string(i) + " under " + node.getName());
    }
    return static_cast<Entity&>(*child);
}

const Mesh::Sub& subOf(const ovra::Node& node, size_t i) { return *visualOf(node)->getMesh().getSubMeshes().at(i); }

std::vector<float> uploadedTexCoords(const Mesh::Sub& sub) {
    return readBuffer<float>(GL_ARRAY_BUFFER, sub.textureCoordinatesVBO_ID, sub.numberTextureCoordinates);
}

std::vector<uint32_t> uploadedIndices(const Mesh::Sub& sub) {
    return readBuffer<uint32_t>(GL_ELEMENT_ARRAY_BUFFER, sub.indicesVBO_ID, sub.numberIndices);
}

void expectColor(const ovra::Color& c, float r, float g, float b, const char* what) {
    EXPECT_NEAR(c.red, r, 1e-6f) << what;
    EXPECT_NEAR(c.green, g, 1e-6f) << what;
    EXPECT_NEAR(c.blue, b, 1e-6f) << what;
}

std::vector<std::string> newMatLines(const CapturedStdout& out) { return out.linesStartingWith("New mat : "); }

// ---------------------------------------------------------------------------------------------
// Scenes built in memory, so each rule is met exactly as the importer would hand it over.

aiMesh* newMesh(unsigned int materialIndex, std::initializer_list<std::vector<unsigned int>> faces,
                unsigned int vertexCount = 3) {
    auto* mesh = new aiMesh();
    mesh->mMaterialIndex = materialIndex;
    mesh->mNumVertices = vertexCount;
    mesh->mVertices = new aiVector3D[vertexCount];
    for (unsigned int v = 0; v < vertexCount; ++v) {
        mesh->mVertices[v] = aiVector3D(static_cast<float>(v), static_cast<float>(v % 2), 0.0f);
    }
    mesh->mNumFaces = static_cast<unsigned int>(faces.size());
    mesh->mFaces = new aiFace[faces.size()];
    unsigned int f = 0;
    for (const std::vector<unsigned int>& indices : faces) {
        aiFace& face = mesh->mFaces[f++];
        face.mNumIndices = static_cast<unsigned int>(indices.size());
        face.mIndices = new unsigned int[indices.size()];
        std::copy(indices.begin(), indices.end(), face.mIndices);
    }
    return mesh;
}

aiMesh* newTriangle(unsigned int materialIndex) { return newMesh(materialIndex, {{0, 1, 2}}); }

aiNode* newNode(const char* name, std::initializer_list<unsigned int> meshes,
                std::initializer_list<aiNode*> children = {}) {
    auto* node = new aiNode(name);
    node->mNumMeshes = static_cast<unsigned int>(meshes.size());
    node->mMeshes = meshes.size() > 0 ? new unsigned int[meshes.size()] : nullptr;
    std::copy(meshes.begin(), meshes.end(), node->mMeshes);
    if (children.size() > 0) {
        std::vector<aiNode*> list(children);
        node->addChildren(static_cast<unsigned int>(list.size()), list.data());
    }
    return node;
}

aiMaterial* newMaterial(const char* name) {
    auto* material = new aiMaterial();
    const aiString aiName(name);
    material->AddProperty(&aiName, AI_MATKEY_NAME);
    return material;
}

std::unique_ptr<aiScene> newScene(aiNode* root, std::initializer_list<aiMesh*> meshes,
                                  std::initializer_list<aiMaterial*> materials) {
    auto scene = std::make_unique<aiScene>();
    scene->mRootNode = root;
    scene->mNumMeshes = static_cast<unsigned int>(meshes.size());
    scene->mMeshes = new aiMesh*[meshes.size()];
    std::copy(meshes.begin(), meshes.end(), scene->mMeshes);
    scene->mNumMaterials = static_cast<unsigned int>(materials.size());
    scene->mMaterials = new aiMaterial*[materials.size()];
    std::copy(materials.begin(), materials.end(), scene->mMaterials);
    return scene;
}

// ---------------------------------------------------------------------------------------------
// Files of the project's own, written into a scratch resources folder.

// A square PNG of `size` texels whose quadrants have the given colours (top-left, top-right,
// bottom-left, bottom-right).
bool writeQuadrantPng(const std::string& path, int size, Texel tl, Texel tr, Texel bl, Texel br) {
    return writeImage(path, size, size, [&](int x, int y) {
        const bool left = x < size / 2;
        return y < size / 2 ? (left ? tl : tr) : (left ? bl : br);
    });
}

bool writeSolidPng(const std::string& path, Texel c) { return writeQuadrantPng(path, 4, c, c, c, c); }

// A quad from (-1, -1) to (1, 1) in the z = 0 plane, facing +z, with texture coordinates
// spanning the whole image (v = 1 at the top, as model files store it).
std::string quadObj(const std::string& mtlFile, const std::string& object = "Box") {
    return "mtllib " + mtlFile + "\no " + object +
           "\nv -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\n"
           "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
           "usemtl wood\nf 1/1 2/2 3/3 4/4\n";
}

std::string woodMtl(const std::string& textureLine) {
    return "newmtl wood\nKa 0.1 0.2 0.3\nKd 1 1 1\nKs 0.5 0.5 0.5\n" + textureLine + "\n";
}

// The same quad as an ASCII PLY, whose importer leaves the root node unnamed; a texture can
// be named in a comment.
std::string quadPly(const std::string& textureFile = "") {
    std::string ply = "ply\nformat ascii 1.0\n";
    if (!textureFile.empty()) {
        ply += "comment TextureFile " + textureFile + "\n";
    }
    return ply +
           "element vertex 4\nproperty float x\nproperty float y\nproperty float z\n"
           "property float s\nproperty float t\n"
           "element face 1\nproperty list uchar int vertex_indices\nend_header\n"
           "-1 -1 0 0 0\n1 -1 0 1 0\n1 1 0 1 1\n-1 1 0 0 1\n4 0 1 2 3\n";
}

// The window pixels at the centres of the quad's four quadrants, seen through the scene's
// camera: the quad spans x 320..960 and y 48..672.
const glm::ivec2 kTopLeft(480, 204);
const glm::ivec2 kTopRight(800, 204);
const glm::ivec2 kBottomLeft(480, 516);
const glm::ivec2 kBottomRight(800, 516);

// A scratch resources folder and the repository's 3D shader, registered in the object manager
// because the materials the import makes outlive the test and stay bound to it.
class ModelImport : public ::testing::Test {
protected:
    void SetUp() override {
        {
            ScopedRessourcesPath repo(repoRessources());
            shader_ = ObjectManager::createShader("simple_shader", false);
        }
        ASSERT_NE(shader_, nullptr);
        ressources_ = std::make_unique<ScopedRessourcesPath>(dir_.path());
    }

    // Writes `bytes` to `relativePath` under the resources folder, making its folders.
    void write(const std::string& relativePath, const std::string& bytes) const {
        const std::filesystem::path path = dir_.file(relativePath);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string path(const std::string& relativePath) const { return dir_.file(relativePath); }

    std::unique_ptr<Entity> load(const std::string& filePath) {
        return std::unique_ptr<Entity>(ObjectManager::load3DFile(filePath, shader_));
    }

    TempFolder dir_;
    ovra::Shader* shader_ = nullptr;
    std::unique_ptr<ScopedRessourcesPath> ressources_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// The tree of entities.

TEST_F(ModelImport, RootIsNamedAsGivenAndAnUnnamedNodeAfterTheFile) {
    const struct {
        const char* filePath;
        std::string bytes;
        const char* firstChild;  // the file's root node
        const char* grandChild;  // or null when the root node holds the mesh itself
    } cases[] = {
        {"models/crate.ply", quadPly(), "crate.ply", nullptr},  // PLY leaves its root unnamed
        {"crate.ply", quadPly(), "crate.ply", nullptr},         // no folder at all
        {"models/crate.obj", quadObj("crate.mtl"), "crate.obj", "Box"},
    };
    write("models/crate.mtl", woodMtl(""));
    write("crate.mtl", woodMtl(""));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filePath);
        write(c.filePath, c.bytes);
        const size_t visualsBefore = ObjectManager::getVisuals().size();
        std::unique_ptr<Entity> root = load(c.filePath);

        EXPECT_EQ(root->getName(), c.filePath);
        EXPECT_EQ(root->getParent(), nullptr);
        EXPECT_EQ(visualOf(*root), nullptr);
        ASSERT_EQ(root->countChildren(), 1u);
        const Entity& fileRoot = childOf(*root, 0);
        EXPECT_EQ(fileRoot.getName(), c.firstChild);
        const Entity& meshNode = c.grandChild != nullptr ? childOf(fileRoot, 0) : fileRoot;
        EXPECT_EQ(meshNode.getName(), c.grandChild != nullptr ? c.grandChild : c.firstChild);
        ASSERT_NE(visualOf(meshNode), nullptr);
        EXPECT_EQ(ObjectManager::getVisual(visualOf(meshNode)->getID()), visualOf(meshNode)) << "registered in 3D";
        EXPECT_EQ(ObjectManager::getVisuals().size(), visualsBefore + 1);

        root.reset();
        EXPECT_EQ(ObjectManager::getVisuals().size(), visualsBefore) << "the tree takes its visuals with it";
    }
}

TEST_F(ModelImport, NodeWithoutMeshesHasNoVisualAndItsChildrenAreConvertedInOrder) {
    // root (unnamed, no mesh) -> "lid" (mesh 0), "hinges" (no mesh) -> "left" (mesh 1), "right" (mesh 1)
    std::unique_ptr<aiScene> scene = newScene(
        newNode("", {}, {newNode("lid", {0}), newNode("hinges", {}, {newNode("left", {1}), newNode("right", {1})})}),
        {newTriangle(0), newTriangle(0)}, {newMaterial("steel")});
    Entity parent("parent");
    load_aiscene_nodes_with_meshes(*scene, "models/chest.obj", *scene->mRootNode, parent, shader_);

    ASSERT_EQ(parent.countChildren(), 1u);
    const Entity& root = childOf(parent, 0);
    EXPECT_EQ(root.getName(), "chest.obj");
    EXPECT_EQ(visualOf(root), nullptr);
    ASSERT_EQ(root.countChildren(), 2u);
    EXPECT_EQ(childOf(root, 0).getName(), "lid");
    EXPECT_NE(visualOf(childOf(root, 0)), nullptr);
    const Entity& hinges = childOf(root, 1);
    EXPECT_EQ(hinges.getName(), "hinges");
    EXPECT_EQ(visualOf(hinges), nullptr);
    ASSERT_EQ(hinges.countChildren(), 2u);
    EXPECT_EQ(childOf(hinges, 0).getName(), "left");
    EXPECT_EQ(childOf(hinges, 1).getName(), "right");
    EXPECT_NE(visualOf(childOf(hinges, 1)), nullptr);
    EXPECT_EQ(&childOf(hinges, 1).getTransform().getParent(), &hinges.getTransform()) << "transforms linked";
}

TEST_F(ModelImport, NodeTransformIsSplitIntoScaleRotationAndTranslation) {
    const float quarter = 1.5707964f;
    const struct {
        const char* name;
        aiVector3D scale;
        aiQuaternion rotation;  // w first
        aiVector3D translation;
    } cases[] = {
        {"identity", {1, 1, 1}, {1, 0, 0, 0}, {0, 0, 0}},
        {"translation", {1, 1, 1}, {1, 0, 0, 0}, {1, -2, 3}},
        {"scale", {2, 3, 4}, {1, 0, 0, 0}, {0, 0, 0}},
        {"quarter turn about up", {1, 1, 1}, aiQuaternion(aiVector3D(0, 1, 0), quarter), {0, 0, 0}},
        {"all three", {2, 0.5f, 3}, aiQuaternion(aiVector3D(1, 0, 0), 0.7f), {-4, 5, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        aiMatrix4x4 scaling;
        aiMatrix4x4 translation;
        aiMatrix4x4::Scaling(c.scale, scaling);
        aiMatrix4x4::Translation(c.translation, translation);
        // Scaled first, then turned, then moved: the order a node matrix is built in.
        const aiMatrix4x4 matrix = translation * aiMatrix4x4(c.rotation.GetMatrix()) * scaling;
        ovra::Transform transform;
        transform.setPosition(9, 9, 9);
        ovra::copy_ai_to_ovra_transform(matrix, transform);

        const glm::vec3& s = transform.getScale();
        const glm::vec3& t = transform.getPosition();
        const glm::quat& q = transform.getRotation();
        EXPECT_NEAR(s.x, c.scale.x, 1e-5f);
        EXPECT_NEAR(s.y, c.scale.y, 1e-5f);
        EXPECT_NEAR(s.z, c.scale.z, 1e-5f);
        EXPECT_NEAR(t.x, c.translation.x, 1e-5f);
        EXPECT_NEAR(t.y, c.translation.y, 1e-5f);
        EXPECT_NEAR(t.z, c.translation.z, 1e-5f);
        // q and -q are the same rotation.
        const glm::quat expected(c.rotation.w, c.rotation.x, c.rotation.y, c.rotation.z);
        EXPECT_NEAR(std::abs(glm::dot(q, expected)), 1.0f, 1e-5f);
        EXPECT_EQ(transform.getWorldPosition(), glm::vec3(0.0f)) << "world values wait for applyUpdates";
    }
    // A quarter turn about up carries forward (+z) onto left (+x).
    ovra::Transform turned;
    ovra::copy_ai_to_ovra_transform(aiMatrix4x4(aiQuaternion(aiVector3D(0, 1, 0), quarter).GetMatrix()), turned);
    const glm::vec3 forward = turned.getRotation() * glm::vec3(0, 0, 1);
    EXPECT_NEAR(forward.x, 1.0f, 1e-5f);
    EXPECT_NEAR(forward.z, 0.0f, 1e-5f);
}

TEST_F(ModelImport, NodePlacementFromAFileReachesTheWorldAtTheNextUpdate) {
    // Moved to (1, 2, 3), turned a quarter about up, doubled.
    write("models/placed.gltf",
          quadGltf(R"("translation":[1,2,3],"rotation":[0,0.70710678,0,0.70710678],"scale":[2,2,2])"));
    std::unique_ptr<Entity> root = load("models/placed.gltf");
    Entity& quad = childOf(*root, 0);
    ASSERT_EQ(quad.getName(), "quad");
    root->update();

    const glm::vec3 corner = quad.getTransform().getGlobal() * glm::vec4(1, 0, 0, 1);
    // (1, 0, 0) doubled, turned onto (0, 0, -2), moved.
    EXPECT_NEAR(corner.x, 1.0f, 1e-5f);
    EXPECT_NEAR(corner.y, 2.0f, 1e-5f);
    EXPECT_NEAR(corner.z, 1.0f, 1e-5f);
}

// ---------------------------------------------------------------------------------------------
// Sub-meshes and materials.

TEST_F(ModelImport, MaterialsAreSharedWithinANodeAndNeverAcrossNodes) {
    // Meshes 0 and 1 use material 0, mesh 2 material 1.
    std::unique_ptr<aiScene> scene = newScene(
        newNode("both", {0, 1}, {newNode("again", {1}), newNode("mixed", {2, 0, 2})}),
        {newTriangle(0), newTriangle(0), newTriangle(1)}, {newMaterial("red"), newMaterial("blue")});
    Entity parent("parent");
    CapturedStdout out;
    load_aiscene_nodes_with_meshes(*scene, "models/set.obj", *scene->mRootNode, parent, shader_);

    const Entity& both = childOf(parent, 0);
    const Entity& again = childOf(both, 0);
    const Entity& mixed = childOf(both, 1);
    const Mesh& bothMesh = visualOf(both)->getMesh();
    const Mesh& againMesh = visualOf(again)->getMesh();
    const Mesh& mixedMesh = visualOf(mixed)->getMesh();
    // The line names the sub-mesh that made the material, not the file's material index.
    EXPECT_EQ(newMatLines(out), (std::vector<std::string>{"New mat : 0", "New mat : 0", "New mat : 0", "New mat : 1"}));

    ASSERT_TRUE(bothMesh.hasMaterial(0) && bothMesh.hasMaterial(1));
    EXPECT_EQ(bothMesh.getMaterialID(0), bothMesh.getMaterialID(1)) << "two meshes of one node share";
    ASSERT_TRUE(againMesh.hasMaterial(0));
    EXPECT_NE(againMesh.getMaterialID(0), bothMesh.getMaterialID(0)) << "another node gets its own";
    EXPECT_EQ(againMesh.getMaterial(0).getName(), "red");
    ASSERT_TRUE(mixedMesh.hasMaterial(0) && mixedMesh.hasMaterial(1) && mixedMesh.hasMaterial(2));
    EXPECT_EQ(mixedMesh.getMaterialID(0), mixedMesh.getMaterialID(2));
    EXPECT_NE(mixedMesh.getMaterialID(0), mixedMesh.getMaterialID(1));
    EXPECT_EQ(mixedMesh.getMaterial(0).getName(), "blue");
    EXPECT_EQ(mixedMesh.getMaterial(1).getName(), "red");
    EXPECT_EQ(ObjectManager::getMaterial(mixedMesh.getMaterialID(1)), &mixedMesh.getMaterial(1))
        << "kept by the manager";
}

TEST_F(ModelImport, OnlyTrianglesAreCopiedAndAMeshWithoutThemStaysEmpty) {
    const struct {
        const char* name;
        aiMesh* mesh;
        std::vector<uint32_t> indices;  // uploaded; empty means nothing uploaded
    } cases[] = {
        {"triangles only", newMesh(0, {{0, 1, 2}, {2, 1, 3}}, 4), {0, 1, 2, 2, 1, 3}},
        {"points and lines around a triangle", newMesh(0, {{0}, {0, 1}, {1, 2, 3}, {3}}, 4), {1, 2, 3}},
        {"a corner past the vertices", newMesh(0, {{0, 1, 7}, {0, 1, 2}}, 3), {0, 1, 2}},
        {"lines only", newMesh(0, {{0, 1}, {1, 2}}, 3), {}},
        {"vertices without faces", newMesh(0, {}, 3), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const unsigned int vertexCount = c.mesh->mNumVertices;
        std::unique_ptr<aiScene> scene = newScene(newNode("n", {0}), {c.mesh}, {newMaterial("m")});
        Entity parent("parent");
        load_aiscene_nodes_with_meshes(*scene, "m.obj", *scene->mRootNode, parent, shader_);

        const Mesh::Sub& sub = subOf(childOf(parent, 0), 0);
        EXPECT_EQ(sub.numberIndices, c.indices.size());
        EXPECT_EQ(sub.data.vertices, nullptr) << "CPU arrays are never kept";
        if (c.indices.empty()) {
            EXPECT_EQ(sub.VAO_ID, 0u) << "nothing to upload";
            continue;
        }
        ASSERT_NE(sub.VAO_ID, 0u);
        EXPECT_EQ(sub.numberVertices, 3 * vertexCount);
        EXPECT_EQ(sub.numberTextureCoordinates, 2 * vertexCount);
        EXPECT_EQ(uploadedIndices(sub), c.indices);
        // Without texture coordinates in the mesh every vertex gets (0, 0).
        expectFloats(uploadedTexCoords(sub), std::vector<float>(2 * vertexCount, 0.0f));
    }
}

TEST_F(ModelImport, BrokenReferencesLeaveAnEmptySubMeshInItsPlace) {
    // Mesh reference 1 is past the mesh list; mesh 1 names a material past the material list.
    aiMesh* strayMaterial = newTriangle(5);
    std::unique_ptr<aiScene> scene = newScene(newNode("n", {0, 9, 1}), {newTriangle(0), strayMaterial},
                                              {newMaterial("m")});
    Entity parent("parent");
    CapturedStdout out;
    load_aiscene_nodes_with_meshes(*scene, "m.obj", *scene->mRootNode, parent, shader_);

    const Mesh& mesh = visualOf(childOf(parent, 0))->getMesh();
    ASSERT_EQ(mesh.getSubMeshes().size(), 3u) << "sub-mesh indices follow the node's references";
    EXPECT_TRUE(mesh.hasMaterial(0));
    EXPECT_FALSE(mesh.hasMaterial(1));
    EXPECT_EQ(mesh.getSubMeshes()[1]->VAO_ID, 0u);
    EXPECT_FALSE(mesh.hasMaterial(2)) << "drawn by nothing";
    EXPECT_NE(mesh.getSubMeshes()[2]->VAO_ID, 0u);
    EXPECT_EQ(newMatLines(out), std::vector<std::string>{"New mat : 0"});
}

TEST_F(ModelImport, MaterialKeysFillThePropertiesWithTheirRules) {
    const float kMissing = -99.0f;
    const struct {
        const char* name;
        float opacity;       // kMissing: key absent
        float shininess;     // kMissing: key absent
        float shinpercent;   // kMissing: key absent
        float transparency;  // expected
        float specularIntensity;
    } cases[] = {
        {"no keys: defaults", kMissing, kMissing, kMissing, 1.0f, 1.0f},
        {"opacity above one", 1.7f, kMissing, kMissing, 1.0f, 1.0f},
        {"opacity below zero", -0.2f, kMissing, kMissing, 0.0f, 1.0f},
        {"opacity inside", 0.4f, kMissing, kMissing, 0.4f, 1.0f},
        {"shininess alone", kMissing, 20.0f, kMissing, 1.0f, 20.0f},
        {"shinpercent wins over shininess", kMissing, 20.0f, 0.5f, 1.0f, 0.5f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        aiMaterial aimaterial;
        if (c.opacity != kMissing) {
            aimaterial.AddProperty(&c.opacity, 1, AI_MATKEY_OPACITY);
        }
        if (c.shininess != kMissing) {
            aimaterial.AddProperty(&c.shininess, 1, AI_MATKEY_SHININESS);
        }
        if (c.shinpercent != kMissing) {
            aimaterial.AddProperty(&c.shinpercent, 1, AI_MATKEY_SHININESS_STRENGTH);
        }
        Material material;
        material.getProperties().specularStrength = 3.0f;  // never read from the file: back to the default
        ovra::load_aimaterial_into_ovra_material("m.obj", aimaterial, material);

        EXPECT_NEAR(material.getProperties().transparency, c.transparency, 1e-6f);
        EXPECT_NEAR(material.getProperties().specularIntensity, c.specularIntensity, 1e-6f);
        EXPECT_NEAR(material.getProperties().specularStrength, 1.0f, 1e-6f);
    }
}

TEST_F(ModelImport, DamagedMaterialValuesReadOneNumberOrCountAsMissing) {
    aiMaterial aimaterial;
    const float opacities[] = {0.3f, 9.0f, 9.0f, 9.0f, 9.0f, 9.0f};
    aimaterial.AddProperty(opacities, 6, AI_MATKEY_OPACITY);
    const aiString glossy("glossy");
    aimaterial.AddProperty(&glossy, AI_MATKEY_SHININESS);
    const aiString red("red");
    aimaterial.AddProperty(&red, AI_MATKEY_COLOR_DIFFUSE);
    Material material;
    ovra::load_aimaterial_into_ovra_material("m.obj", aimaterial, material);

    EXPECT_NEAR(material.getProperties().transparency, 0.3f, 1e-6f) << "the first of several values";
    EXPECT_NEAR(material.getProperties().specularIntensity, 1.0f, 1e-6f) << "text that is no number";
    expectColor(material.getProperties().diffuseColor, 1.0f, 1.0f, 1.0f, "colour given as a word");
}

TEST_F(ModelImport, ChildrenCountedWithoutAListAreSkipped) {
    std::unique_ptr<aiScene> scene = newScene(newNode("root", {0}), {newTriangle(0)}, {newMaterial("m")});
    scene->mRootNode->mNumChildren = 3;  // and mChildren stays null
    Entity parent("parent");
    CapturedStdout quiet;
    load_aiscene_nodes_with_meshes(*scene, "m.obj", *scene->mRootNode, parent, shader_);
    scene->mRootNode->mNumChildren = 0;

    ASSERT_EQ(parent.countChildren(), 1u);
    EXPECT_EQ(childOf(parent, 0).countChildren(), 0u);
    EXPECT_TRUE(visualOf(childOf(parent, 0))->getMesh().hasMaterial(0));
}

TEST_F(ModelImport, ColoursAreCopiedOrGetTheImportsOwnDefaults) {
    aiMaterial withColours;
    const aiColor3D ambient(0.1f, 0.2f, 0.3f), diffuse(0.4f, 0.5f, 0.6f), specular(0.7f, 0.8f, 0.9f);
    withColours.AddProperty(&ambient, 1, AI_MATKEY_COLOR_AMBIENT);
    withColours.AddProperty(&diffuse, 1, AI_MATKEY_COLOR_DIFFUSE);
    withColours.AddProperty(&specular, 1, AI_MATKEY_COLOR_SPECULAR);
    const aiString name("lacquer");
    withColours.AddProperty(&name, AI_MATKEY_NAME);
    Material coloured;
    ovra::load_aimaterial_into_ovra_material("m.obj", withColours, coloured);
    EXPECT_EQ(coloured.getName(), "lacquer");
    expectColor(coloured.getProperties().ambientColor, 0.1f, 0.2f, 0.3f, "ambient");
    expectColor(coloured.getProperties().diffuseColor, 0.4f, 0.5f, 0.6f, "diffuse");
    expectColor(coloured.getProperties().specularColor, 0.7f, 0.8f, 0.9f, "specular");

    // Not the material's own defaults (0.1 grey ambient, 0.8 grey diffuse).
    aiMaterial bare;
    Material plain;
    plain.setName("old");
    ovra::load_aimaterial_into_ovra_material("m.obj", bare, plain);
    EXPECT_EQ(plain.getName(), "");
    expectColor(plain.getProperties().ambientColor, 0.0f, 0.0f, 0.0f, "ambient");
    expectColor(plain.getProperties().diffuseColor, 1.0f, 1.0f, 1.0f, "diffuse");
    expectColor(plain.getProperties().specularColor, 1.0f, 1.0f, 1.0f, "specular");

    // The key, type and index are those asked for.
    ovra::Color picked(5, 5, 5);
    ovra::cvt_aimatcolor_to_ovracolor(AI_MATKEY_COLOR_SPECULAR, withColours, picked, 0, 0, 0);
    expectColor(picked, 0.7f, 0.8f, 0.9f, "specular by key");
    ovra::cvt_aimatcolor_to_ovracolor("$clr.specular", 0, 1, withColours, picked, 0.25f, 0.5f, 0.75f);
    expectColor(picked, 0.25f, 0.5f, 0.75f, "another index is missing");
    ovra::cvt_aimatcolor_to_ovracolor(nullptr, 0, 0, withColours, picked, 0.5f, 0.5f, 0.5f);
    expectColor(picked, 0.5f, 0.5f, 0.5f, "no key at all");
}

TEST_F(ModelImport, TextureCoordinatesAreUploadedWithVFlipped) {
    write("models/uv.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0.25 0.25\nvt 1 0\nvt 0 1\nf 1/1 2/2 3/3\n");
    std::unique_ptr<Entity> root = load("models/uv.obj");
    const Entity& meshNode = childOf(childOf(*root, 0), 0);
    const Mesh::Sub& sub = subOf(meshNode, 0);
    ASSERT_NE(sub.VAO_ID, 0u);
    EXPECT_EQ(sub.data.textureCoordinates, nullptr) << "dropped after upload";
    expectFloats(uploadedTexCoords(sub), {0.25f, 0.75f, 1.0f, 1.0f, 0.0f, 0.0f});
    expectFloats(readBuffer<float>(GL_ARRAY_BUFFER, sub.verticesVBO_ID, 9), {0, 0, 0, 1, 0, 0, 0, 1, 0});
    EXPECT_EQ(uploadedIndices(sub), (std::vector<uint32_t>{0, 1, 2}));
}

// ---------------------------------------------------------------------------------------------
// Drawing and textures.

TEST_F(ModelImport, TexturedModelIsDrawnUprightThroughTheRenderer) {
    const Texel red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255}, white{255, 255, 255, 255};
    ASSERT_TRUE(writeQuadrantPng(path("models/wood.png"), 8, red, green, blue, white));
    write("models/crate.mtl", woodMtl("map_Kd wood.png"));
    write("models/crate.obj", quadObj("crate.mtl"));
    Scene scene;
    CapturedStdout out;
    scene.level.getRootEntity().attach(*ObjectManager::load3DFile("models/crate.obj", shader_));
    scene.drawFrames();

    EXPECT_EQ(out.text().find("ERROR"), std::string::npos) << out.text();
    // The image's top row is at the model's top: v is flipped on the way in.
    EXPECT_TRUE(isColor(windowPixel(kTopLeft.x, kTopLeft.y), {255, 0, 0})) << "top left";
    EXPECT_TRUE(isColor(windowPixel(kTopRight.x, kTopRight.y), {0, 255, 0})) << "top right";
    EXPECT_TRUE(isColor(windowPixel(kBottomLeft.x, kBottomLeft.y), {0, 0, 255})) << "bottom left";
    EXPECT_TRUE(isColor(windowPixel(kBottomRight.x, kBottomRight.y), {255, 255, 255})) << "bottom right";
    EXPECT_TRUE(isClearColor(windowPixel(310, 360))) << "left of the quad";
    EXPECT_TRUE(isClearColor(windowPixel(640, 40))) << "above the quad";
}

TEST_F(ModelImport, DiffuseTextureIsFoundBesideTheModelWhateverFolderTheFileNames) {
    const struct {
        const char* name;
        const char* model;   // relative to the resources folder
        std::string bytes;   // the model file
        const char* mtl;     // where its material file goes, or null
        const char* stored;  // the texture path the file holds
        const char* image;   // where the image is, relative to the resources folder
    } cases[] = {
        {"another system's folder", "models/crate.obj", quadObj("crate.mtl"), "models/crate.mtl", "C:/art/wood.png",
         "models/wood.png"},
        {"backslashes", "models/crate.obj", quadObj("crate.mtl"), "models/crate.mtl", "C:\\art\\wood.png",
         "models/wood.png"},
        {"a bare file name", "models/deep/crate.obj", quadObj("crate.mtl"), "models/deep/crate.mtl", "wood.png",
         "models/deep/wood.png"},
        {"model at the resources root", "crate.obj", quadObj("crate.mtl"), "crate.mtl", "textures/wood.png",
         "wood.png"},
        {"PLY texture comment", "models/crate.ply", quadPly("../tex/wood.png"), nullptr, nullptr, "models/wood.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder caseDir;  // a folder per case, so no image from another case can be found
        ScopedRessourcesPath caseRessources(caseDir.path());
        const auto put = [&caseDir](const std::string& rel, const std::string& bytes) {
            std::filesystem::create_directories(std::filesystem::path(caseDir.file(rel)).parent_path());
            std::ofstream(caseDir.file(rel), std::ios::binary) << bytes;
        };
        put(c.model, c.bytes);
        if (c.mtl != nullptr) {
            put(c.mtl, woodMtl(std::string("map_Kd ") + c.stored));
        }
        const Texel teal{0, 200, 160, 255};
        ASSERT_TRUE(writeSolidPng(caseDir.file(c.image), teal));

        Scene scene;
        CapturedStdout out;
        scene.level.getRootEntity().attach(*ObjectManager::load3DFile(c.model, shader_));
        scene.drawFrames();
        EXPECT_EQ(out.text().find("ERROR"), std::string::npos) << out.text();
        EXPECT_TRUE(isColor(windowPixel(640, 360), {0, 200, 160}));
    }
}

TEST_F(ModelImport, MissingTextureIsReportedAndTheModelStillImports) {
    write("models/crate.mtl", woodMtl("map_Kd C:/art/gone.png"));
    write("models/crate.obj", quadObj("crate.mtl"));
    CapturedStdout out;
    std::unique_ptr<Entity> root = load("models/crate.obj");
    // Looked for once, beside the model, under the resources folder named once.
    EXPECT_NE(out.text().find("ERROR: Ovra: Texture: "), std::string::npos) << out.text();
    EXPECT_NE(out.text().find(path("models/gone.png")), std::string::npos) << out.text();
    EXPECT_EQ(out.text().find(path(path("models/gone.png"))), std::string::npos) << out.text();
    EXPECT_TRUE(subOf(childOf(childOf(*root, 0), 0), 0).material != nullptr);
}

TEST_F(ModelImport, ImportWithoutShaderLeavesTheMaterialsUnbound) {
    write("models/crate.ply", quadPly());
    std::unique_ptr<Entity> root(ObjectManager::load3DFile("models/crate.ply", nullptr));
    const Mesh::Sub& sub = subOf(childOf(*root, 0), 0);
    EXPECT_NE(sub.VAO_ID, 0u);
    EXPECT_NE(sub.material, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Files that are not models.

TEST_F(ModelImport, SceneWithoutMeshesGivesTheRootAlone) {
    write("models/empty.gltf", R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],)"
                               R"("nodes":[{"name":"marker","translation":[1,2,3]}]})");
    CapturedStdout out;
    std::unique_ptr<Entity> root = load("models/empty.gltf");
    EXPECT_EQ(root->getName(), "models/empty.gltf");
    EXPECT_EQ(root->countChildren(), 0u);
    EXPECT_TRUE(newMatLines(out).empty());
}

TEST_F(ModelImport, UnreadableFilesThrowTheImportersMessage) {
    write("models/empty.obj", "");
    write("models/cut.gltf", R"({"asset":{"version":"2.0"},"scenes":[{"nodes":[)");
    write("models/unknown.xyz123", "just some text\n");
    write("models/open.ply", "ply\nformat ascii 1.0\nelement vertex 1\nproperty float x\n0\n");
    const struct {
        const char* name;
        const char* file;
        std::string inMessage;  // a part of the importer's text
    } cases[] = {
        {"missing", "models/absent.obj", path("models/absent.obj")},
        {"empty", "models/empty.obj", "OBJ-file is too small"},
        {"cut short", "models/cut.gltf",
         "No suitable reader found for the file format of file \"" + path("models/cut.gltf")},
        {"unknown format", "models/unknown.xyz123",
         "No suitable reader found for the file format of file \"" + path("models/unknown.xyz123")},
        {"PLY header that never ends", "models/open.ply", "end_header"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t visualsBefore = ObjectManager::getVisuals().size();
        try {
            std::unique_ptr<Entity> root = load(c.file);
            ADD_FAILURE() << "no exception";
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()), "");
            EXPECT_NE(std::string(e.what()).find(c.inMessage), std::string::npos) << e.what();
        }
        EXPECT_EQ(ObjectManager::getVisuals().size(), visualsBefore) << "nothing created";
    }
}

// The quad PLY with its header's end line replaced, and `comments` lines after the format.
std::string plyWithHeaderEnd(const std::string& endLine, int comments = 0) {
    std::string ply = quadPly();
    ply.replace(ply.find("end_header\n"), 11, endLine);
    const std::string format = "format ascii 1.0\n";
    std::string padding;
    for (int i = 0; i < comments; ++i) {
        padding += "comment one of the many lines that fill the header past 64 KiB\n";
    }
    return ply.insert(ply.find(format) + format.size(), padding);
}

// The first sub-mesh of the first node with a visual, depth first; null when there is none.
const Mesh::Sub* firstSubMesh(const ovra::Node& node) {
    if (const ovra::Visual* visual = visualOf(node)) {
        const std::vector<Mesh::Sub*>& subs = visual->getMesh().getSubMeshes();
        return subs.empty() ? nullptr : subs.front();
    }
    for (const ovra::Node* child : node.getChildren()) {
        if (const Mesh::Sub* sub = firstSubMesh(*child)) {
            return sub;
        }
    }
    return nullptr;
}

// A binary STL of the same quad, whose free 80-byte header starts with `header`.
std::string quadBinaryStl(const std::string& header) {
    std::string stl = header;
    stl.resize(80, ' ');
    stl += bytesOf<uint32_t>({2});
    const float triangles[2][9] = {{-1, -1, 0, 1, -1, 0, 1, 1, 0}, {1, 1, 0, -1, 1, 0, -1, -1, 0}};
    for (const auto& corners : triangles) {
        stl += bytesOf<float>({0, 0, 1});
        for (float value : corners) {
            stl += bytesOf<float>({value});
        }
        stl += bytesOf<uint16_t>({0});
    }
    return stl;
}

TEST_F(ModelImport, PlyHeaderEndsAreTakenAsTheImporterTakesThemAndNeverHang) {
    // Each case in a child under a time limit: an importer that misses the header's end
    // reads on for ever. Refused files throw; the others import the quad's two triangles.
    const struct {
        const char* what;
        const char* file;
        std::string bytes;
        bool imports;
    } cases[] = {
        {"end line in capitals", "models/upper.ply", plyWithHeaderEnd("END_HEADER\n"), false},
        {"end line capitalised", "models/title.ply", plyWithHeaderEnd("End_Header\n"), false},
        {"end line followed by a vertical tab", "models/vtab.ply", plyWithHeaderEnd("end_header\v\n"), false},
        {"end line indented by a blank", "models/blank.ply", plyWithHeaderEnd(" end_header\n"), true},
        {"end line indented by a tab", "models/tab.ply", plyWithHeaderEnd("\tend_header\n"), true},
        {"end line after 64 KiB of comments", "models/long.ply", plyWithHeaderEnd("end_header\n", 1100), true},
        {"binary STL whose header starts with ply", "models/shelf.stl", quadBinaryStl("plywood shelf, 2 parts"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        write(c.file, c.bytes);
        expectInChild(60, [this, &c] {
            try {
                std::unique_ptr<Entity> root = load(c.file);
                const Mesh::Sub* sub = firstSubMesh(*root);
                const bool quad = sub != nullptr && sub->numberIndices == 6 && sub->VAO_ID != 0;
                if (!c.imports || !quad) {
                    std::cerr << c.what << (c.imports ? ": imported without the quad" : ": imported") << std::endl;
                    return 1;
                }
            } catch (const std::invalid_argument& e) {
                if (c.imports) {
                    std::cerr << c.what << ": refused: " << e.what() << std::endl;
                    return 1;
                }
            }
            return 0;
        });
    }
}

// assimp 5.2's STL reader loses the mesh and material it had started when it gives up on a
// damaged ASCII file, and the import still fails cleanly. While one lives, what this thread
// allocates is kept out of the leak check: only around those imports, so that every other
// import, this test's included, stays checked.
class StlReaderLossesIgnored {
public:
    explicit StlReaderLossesIgnored(bool ignored) : ignored_(ignored) {
#ifdef OVRA_LEAK_CHECKED
        if (ignored_) {
            __lsan_disable();
        }
#endif
    }
    ~StlReaderLossesIgnored() {
#ifdef OVRA_LEAK_CHECKED
        if (ignored_) {
            __lsan_enable();
        }
#endif
    }
    StlReaderLossesIgnored(const StlReaderLossesIgnored&) = delete;
    StlReaderLossesIgnored& operator=(const StlReaderLossesIgnored&) = delete;

private:
    [[maybe_unused]] bool ignored_;
};

// Cut and corrupted versions of good files: each either throws std::invalid_argument or
// imports into a tree that can be drawn and destroyed. Crashes and leaks show under the
// sanitizer build. Only the model files are damaged, not their material files, and PLY is
// left out: the assimp release the engine builds on hangs on a cut PLY file, crashes in its
// own post-processing on some corrupted ones, and crashes reading a material file whose
// texture line comes before any "newmtl" line, all before a scene reaches the engine.
TEST_F(ModelImport, DamagedFilesThrowOrImportCleanly) {
    const struct {
        const char* file;
        std::string bytes;
    } originals[] = {
        {"models/crate.obj", quadObj("crate.mtl")},
        {"models/crate.gltf", quadGltf()},
        {"models/crate.stl",
         "solid quad\n"
         "facet normal 0 0 1\nouter loop\nvertex -1 -1 0\nvertex 1 -1 0\nvertex 1 1 0\nendloop\nendfacet\n"
         "facet normal 0 0 1\nouter loop\nvertex 1 1 0\nvertex -1 1 0\nvertex -1 -1 0\nendloop\nendfacet\n"
         "endsolid quad\n"},
    };
    write("models/crate.mtl", woodMtl("Ns 10\nd 0.5\nmap_Kd wood.png"));
    ASSERT_TRUE(writeSolidPng(path("models/wood.png"), Texel{10, 20, 30, 255}));

    uint32_t seed = 12345;  // a fixed sequence: the same variants every run
    const auto next = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    int variants = 0;
    int thrown = 0;
    for (const auto& original : originals) {
        const std::string& good = original.bytes;
        std::vector<std::string> damaged;
        for (size_t cut = 1; cut <= 7; ++cut) {
            damaged.push_back(good.substr(0, good.size() * cut / 8));
        }
        for (int i = 1; i <= 7; ++i) {
            std::string bytes = good;
            for (int flip = 0; flip < i; ++flip) {
                bytes[next() % bytes.size()] = static_cast<char>(next() % 256);
            }
            damaged.push_back(bytes);
        }
        for (const std::string& bytes : damaged) {
            SCOPED_TRACE(std::string(original.file) + ", variant " + std::to_string(variants));
            ++variants;
            write(original.file, bytes);
            CapturedStdout quiet;
            try {
                Scene scene;
                Entity* model = nullptr;
                {
                    const StlReaderLossesIgnored stlLosses(std::string(original.file).find(".stl") !=
                                                           std::string::npos);
                    model = ObjectManager::load3DFile(original.file, shader_);
                }
                scene.level.getRootEntity().attach(*model);
                scene.drawFrames();
            } catch (const std::invalid_argument&) {
                ++thrown;
            }
        }
    }
    EXPECT_GT(thrown, 0) << "cut files must be refused";
}
