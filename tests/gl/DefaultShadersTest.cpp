#include "GpuTestSupport.hpp"

#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Shader.hpp"

#include <glm/gtc/constants.hpp>

#include <cmath>
#include <cstdlib>

using gputest::Scene;
using ovra::Material;
using ovra::ObjectManager;
using ovra::Shader;

namespace {

// The ambient part of the lit shader: a face seen edge-on is drawn at this fraction.
constexpr float kAmbient = 0.25f;

int litGrey(float cosine) { return static_cast<int>(std::lround(255.0f * (kAmbient + (1.0f - kAmbient) * cosine))); }

// The built-in shaders, made for each test and released after it, from a resources folder
// that holds no shader file at all.
class DefaultShaders : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ObjectManager::createDefaultShaders()); }
    // The imported models' materials are kept by the object manager and bound to the shaders.
    void TearDown() override {
        materials_.clear();
        ObjectManager::releaseAll();
    }

    Material* material(const char* shaderName, float r, float g, float b) {
        materials_.push_back(gputest::makeColorMaterial(*ObjectManager::getShader(shaderName), r, g, b));
        return materials_.back().get();
    }

    TempFolder emptyFolder_;
    ScopedRessourcesPath path_{emptyFolder_.path()};
    std::vector<std::unique_ptr<Material>> materials_;
};

// A sphere of `radius` at the origin as an OBJ file without normals: `rings` bands of
// `segments` quads, its vertices shared between faces.
std::string sphereObj(float radius, int rings, int segments) {
    std::string obj = "o Sphere\n";
    const float pi = glm::pi<float>();
    for (int ring = 0; ring <= rings; ++ring) {
        const float polar = pi * static_cast<float>(ring) / static_cast<float>(rings);
        for (int segment = 0; segment < segments; ++segment) {
            const float azimuth = 2.0f * pi * static_cast<float>(segment) / static_cast<float>(segments);
            obj += "v " + std::to_string(radius * std::sin(polar) * std::cos(azimuth)) + " " +
                   std::to_string(radius * std::cos(polar)) + " " +
                   std::to_string(radius * std::sin(polar) * std::sin(azimuth)) + "\n";
        }
    }
    auto index = [segments](int ring, int segment) { return std::to_string(1 + ring * segments + segment % segments); };
    for (int ring = 0; ring < rings; ++ring) {
        for (int segment = 0; segment < segments; ++segment) {
            obj += "f " + index(ring, segment) + " " + index(ring + 1, segment) + " " + index(ring + 1, segment + 1) +
                   " " + index(ring, segment + 1) + "\n";
        }
    }
    return obj;
}

// The mesh of the first visual met walking the tree depth first.
ovra::Mesh* firstMesh(const ovra::Node& node) {
    if (auto* visual = static_cast<ovra::Visual*>(node.getComponent(ovra::Component::VISUAL))) {
        return &visual->getMesh();
    }
    for (unsigned int i = 0; node.getChild(i) != nullptr; ++i) {
        if (ovra::Mesh* mesh = firstMesh(*node.getChild(i))) {
            return mesh;
        }
    }
    return nullptr;
}

}  // namespace

TEST_F(DefaultShaders, AreBuiltFromTheLibraryAndRebuiltWithoutAnyFile) {
    for (const char* name : {ObjectManager::FLAT_SHADER, ObjectManager::LIT_SHADER, ObjectManager::OVERLAY_SHADER}) {
        Shader* shader = ObjectManager::getShader(name);
        ASSERT_NE(shader, nullptr) << name;
        EXPECT_NE(shader->getProgramId(), 0u) << name;
        CapturedStdout out;
        EXPECT_EQ(ObjectManager::createShader(name, true), shader) << name;
        EXPECT_NE(shader->getProgramId(), 0u) << name;
        EXPECT_EQ(out.text(), "") << name;
    }
    // A second call finds them registered and builds nothing new.
    const GLuint program = ObjectManager::getShader(ObjectManager::LIT_SHADER)->getProgramId();
    EXPECT_TRUE(ObjectManager::createDefaultShaders());
    EXPECT_EQ(ObjectManager::getShader(ObjectManager::LIT_SHADER)->getProgramId(), program);
}

TEST_F(DefaultShaders, FlatAndOverlayDrawTheMaterialColourUnshaded) {
    Scene scene;
    // Turned well away from the camera: only a lit shader would darken it.
    scene.addPlane(material(ObjectManager::FLAT_SHADER, 1.0f, 0.5f, 0.0f))
        .getTransform()
        .setRotation(glm::angleAxis(glm::radians(70.0f), glm::vec3(0.0f, 1.0f, 0.0f)));
    scene.addQuad(material(ObjectManager::OVERLAY_SHADER, 0.0f, 0.0f, 1.0f), {100, 100}, {40, 40});
    scene.drawFrames();

    EXPECT_TRUE(isColor(windowPixel(640, 360), {255, 128, 0}));
    EXPECT_TRUE(isColor(windowPixel(100, 100), {0, 0, 255}));
    EXPECT_TRUE(isClearColor(windowPixel(130, 100)));
}

// The light sits at the eye: at the window's centre the lit fraction is the cosine between
// the plane's normal and the line of sight, wherever the camera stands.
struct LambertCase {
    const char* name;
    float planeTurn;   // degrees about +y
    float cameraTurn;  // degrees about +y around the origin, the camera still looking at it
    float cosine;
};

class LitShaderLambert : public DefaultShaders, public ::testing::WithParamInterface<LambertCase> {};

TEST_P(LitShaderLambert, CentrePixelIsAmbientPlusTheCosineToTheEye) {
    const LambertCase& c = GetParam();
    Scene scene(false);
    auto* cameraEntity = new ovra::Entity("camera");
    const float cameraTurn = glm::radians(c.cameraTurn);
    cameraEntity->getTransform().setPosition(2.0f * std::sin(cameraTurn), 0.0f, 2.0f * std::cos(cameraTurn));
    // The view's rotation turns the camera's place back onto +z.
    cameraEntity->getTransform().setRotation(glm::angleAxis(-cameraTurn, glm::vec3(0.0f, 1.0f, 0.0f)));
    scene.level.getRootEntity().attach(*cameraEntity);
    scene.level.setCamera(static_cast<ovra::Camera*>(cameraEntity->newComponent(ovra::Component::CAMERA)));
    scene.addPlane(material(ObjectManager::LIT_SHADER, 1.0f, 1.0f, 1.0f))
        .getTransform()
        .setRotation(glm::angleAxis(glm::radians(c.planeTurn), glm::vec3(0.0f, 1.0f, 0.0f)));
    scene.drawFrames();

    const int grey = litGrey(c.cosine);
    EXPECT_TRUE(isColor(windowPixel(640, 360), {grey, grey, grey}));
}

INSTANTIATE_TEST_SUITE_P(Cases, LitShaderLambert,
                         ::testing::Values(LambertCase{"Facing", 0.0f, 0.0f, 1.0f},
                                           LambertCase{"PlaneTurned60", 60.0f, 0.0f, 0.5f},
                                           LambertCase{"CameraTurned60", 0.0f, 60.0f, 0.5f},
                                           LambertCase{"BothTurned45", 45.0f, 45.0f, 1.0f},
                                           LambertCase{"BackFace", 180.0f, 0.0f, 1.0f}),
                         [](const ::testing::TestParamInfo<LambertCase>& info) { return info.param.name; });

TEST_F(DefaultShaders, SphereWithoutNormalsInItsFileIsLitSmoothly) {
    emptyFolder_.write("sphere.obj", sphereObj(0.8f, 16, 24));
    Scene scene;
    CapturedStdout out;
    std::unique_ptr<ovra::Entity> sphere(ObjectManager::load3DFile("sphere.obj", ObjectManager::getShader("ovra_lit")));
    ovra::Mesh* mesh = firstMesh(*sphere);
    ASSERT_NE(mesh, nullptr);
    for (ovra::Mesh::Sub* sub : mesh->getSubMeshes()) {
        sub->material->getProperties().diffuseColor = ovra::Color(1.0f, 1.0f, 1.0f);
    }
    scene.level.getRootEntity().attach(*sphere.release());
    scene.drawFrames();

    const glm::ivec2 centre = scene.windowPointOf(glm::vec3(0.0f));
    const glm::ivec2 top = scene.windowPointOf(glm::vec3(0.0f, 0.8f, 0.0f));
    const int radius = centre.y - top.y;
    ASSERT_GT(radius, 100);
    EXPECT_TRUE(isColor(windowPixel(centre.x, centre.y), {255, 255, 255})) << "facing the light";
    // Down the middle column to 85 % of the radius: the light falls off with no step between
    // facets (flat normals jump by up to some 30 levels there).
    const int end = centre.y - radius * 85 / 100;
    int largestStep = 0;
    for (int y = centre.y; y > end; --y) {
        largestStep = std::max(largestStep, std::abs(windowPixel(centre.x, y - 1).r - windowPixel(centre.x, y).r));
    }
    EXPECT_LE(largestStep, 3);
    EXPECT_LT(windowPixel(centre.x, end).r, 200) << "falls off towards the rim";
}

TEST_F(DefaultShaders, BoxWithoutNormalsInItsFileKeepsItsEdges) {
    emptyFolder_.write("box.obj",
                       "o Box\nv -0.5 -0.5 -0.5\nv 0.5 -0.5 -0.5\nv 0.5 0.5 -0.5\nv -0.5 0.5 -0.5\n"
                       "v -0.5 -0.5 0.5\nv 0.5 -0.5 0.5\nv 0.5 0.5 0.5\nv -0.5 0.5 0.5\n"
                       "f 1 4 3 2\nf 5 6 7 8\nf 1 5 8 4\nf 2 3 7 6\nf 4 8 7 3\nf 1 2 6 5\n");
    Scene scene;
    CapturedStdout out;
    std::unique_ptr<ovra::Entity> box(ObjectManager::load3DFile("box.obj", ObjectManager::getShader("ovra_lit")));
    ovra::Mesh* mesh = firstMesh(*box);
    ASSERT_NE(mesh, nullptr);
    mesh->getMaterial(0).getProperties().diffuseColor = ovra::Color(1.0f, 1.0f, 1.0f);
    // An edge turned to face the camera: the two faces beside it are seen at 45 degrees.
    box->getTransform().setRotation(glm::angleAxis(glm::radians(45.0f), glm::vec3(0.0f, 1.0f, 0.0f)));
    scene.level.getRootEntity().attach(*box.release());
    scene.drawFrames();

    // Beside the edge, each face shades by its own normal; smoothing across the edge would
    // light it as if it faced the camera.
    const glm::ivec2 edge = scene.windowPointOf(glm::vec3(0.0f, 0.0f, std::sqrt(0.5f)));
    const int grey = litGrey(std::sqrt(0.5f));
    EXPECT_TRUE(isColor(windowPixel(edge.x - 3, edge.y), {grey, grey, grey})) << "left face";
    EXPECT_TRUE(isColor(windowPixel(edge.x + 3, edge.y), {grey, grey, grey})) << "right face";
}

TEST_F(DefaultShaders, VertexColoursOfAPlyMultiplyTheMaterialColour) {
    // Two quads one above the other, coloured only through their vertices.
    emptyFolder_.write("bands.ply",
                       "ply\nformat ascii 1.0\nelement vertex 8\nproperty float x\nproperty float y\nproperty float z\n"
                       "property uchar red\nproperty uchar green\nproperty uchar blue\n"
                       "element face 2\nproperty list uchar int vertex_indices\nend_header\n"
                       "-1 0 0 255 0 0\n1 0 0 255 0 0\n1 1 0 255 0 0\n-1 1 0 255 0 0\n"
                       "-1 -1 0 0 255 128\n1 -1 0 0 255 128\n1 0 0 0 255 128\n-1 0 0 0 255 128\n"
                       "4 0 1 2 3\n4 4 5 6 7\n");
    Scene scene;
    CapturedStdout out;
    std::unique_ptr<ovra::Entity> bands(
        ObjectManager::load3DFile("bands.ply", ObjectManager::getShader(ObjectManager::FLAT_SHADER)));
    ovra::Mesh* mesh = firstMesh(*bands);
    ASSERT_NE(mesh, nullptr);
    scene.level.getRootEntity().attach(*bands.release());
    // A mesh without vertex colours, drawn after them in the same frame, keeps its own colour.
    scene.addPlane(material(ObjectManager::FLAT_SHADER, 0.0f, 0.0f, 1.0f), glm::vec3(4.0f, 0.0f, -4.0f), 1.0f);
    scene.drawFrames();
    EXPECT_EQ(out.text().find("ERROR"), std::string::npos) << out.text();

    const glm::ivec2 upper = scene.windowPointOf(glm::vec3(0.0f, 0.5f, 0.0f));
    const glm::ivec2 lower = scene.windowPointOf(glm::vec3(0.0f, -0.5f, 0.0f));
    const glm::ivec2 aside = scene.windowPointOf(glm::vec3(4.0f, 0.0f, -4.0f));
    EXPECT_TRUE(isColor(windowPixel(upper.x, upper.y), {255, 0, 0})) << "upper band";
    EXPECT_TRUE(isColor(windowPixel(lower.x, lower.y), {0, 255, 128})) << "lower band";
    EXPECT_TRUE(isColor(windowPixel(aside.x, aside.y), {0, 0, 255})) << "plane without vertex colours";

    mesh->getMaterial(0).getProperties().diffuseColor = ovra::Color(0.5f, 1.0f, 0.5f);
    scene.drawFrames();
    EXPECT_TRUE(isColor(windowPixel(upper.x, upper.y), {128, 0, 0})) << "upper band, half red";
    EXPECT_TRUE(isColor(windowPixel(lower.x, lower.y), {0, 255, 64})) << "lower band, half blue";
}
