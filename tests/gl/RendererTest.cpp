#include "GpuTestSupport.hpp"

#include "Ovra3D/widgets/Texture.hpp"
#include "Ovra3D/widgets/meshes/LineMesh.hpp"

using gputest::Scene;
using ovra::Material;

namespace {

// The real shaders and a few plain-coloured materials, in the order they must die.
class Renderer : public ::testing::Test {
protected:
    std::unique_ptr<ovra::Shader> shader3D_ = gputest::makeRepoShader("simple_shader");
    std::unique_ptr<ovra::Shader> shader2D_ = gputest::makeRepoShader("simple_2D_shader");
    std::unique_ptr<Material> red3D_ = gputest::makeColorMaterial(*shader3D_, 1.0f, 0.0f, 0.0f);
    std::unique_ptr<Material> green3D_ = gputest::makeColorMaterial(*shader3D_, 0.0f, 1.0f, 0.0f);
    std::unique_ptr<Material> red2D_ = gputest::makeColorMaterial(*shader2D_, 1.0f, 0.0f, 0.0f);
    std::unique_ptr<Material> green2D_ = gputest::makeColorMaterial(*shader2D_, 0.0f, 1.0f, 0.0f);
};

struct Quad {
    glm::ivec2 center;
    glm::ivec2 size;
};

// Pixels just inside and just outside each edge of the window rectangle a quad covers.
void expectCovers(const Quad& q, int r, int g, int b) {
    const int left = q.center.x - q.size.x / 2;
    const int top = q.center.y - q.size.y / 2;
    const int right = left + q.size.x - 1;
    const int bottom = top + q.size.y - 1;
    const int midX = q.center.x;
    const int midY = q.center.y;
    EXPECT_TRUE(isColor(windowPixel(left, midY), {r, g, b})) << "left edge";
    EXPECT_TRUE(isColor(windowPixel(right, midY), {r, g, b})) << "right edge";
    EXPECT_TRUE(isColor(windowPixel(midX, top), {r, g, b})) << "top edge";
    EXPECT_TRUE(isColor(windowPixel(midX, bottom), {r, g, b})) << "bottom edge";
    EXPECT_TRUE(isClearColor(windowPixel(left - 1, midY))) << "left of it";
    EXPECT_TRUE(isClearColor(windowPixel(right + 1, midY))) << "right of it";
    EXPECT_TRUE(isClearColor(windowPixel(midX, top - 1))) << "above it";
    EXPECT_TRUE(isClearColor(windowPixel(midX, bottom + 1))) << "below it";
}

std::vector<float> translationAndScale(GLuint program) {
    std::vector<float> v(4);
    glGetUniformfv(program, glGetUniformLocation(program, "u_translationAndScale"), v.data());
    return v;
}

}  // namespace

TEST_F(Renderer, OverlayQuadCoversExactlyItsWindowRectangle) {
    const Quad q{{640, 360}, {100, 50}};
    Scene scene;
    scene.addQuad(red2D_.get(), q.center, q.size);
    scene.drawFrames();

    expectCovers(q, 255, 0, 0);
    const std::vector<float> v = translationAndScale(shader2D_->getProgramId());
    EXPECT_NEAR(v[0], 0.0f, 1e-6f);
    EXPECT_NEAR(v[1], 0.0f, 1e-6f);
    EXPECT_NEAR(v[2], 0.15625f, 1e-6f);
    EXPECT_NEAR(v[3], 0.1388889f, 1e-6f);
}

TEST_F(Renderer, OverlayQuadAtTheOriginIsCentredOnTheTopLeftCorner) {
    Scene scene;
    scene.addQuad(red2D_.get(), {0, 0}, {64, 32});
    scene.drawFrames();
    const std::vector<float> v = translationAndScale(shader2D_->getProgramId());
    EXPECT_NEAR(v[0], -1.0f, 1e-6f);
    EXPECT_NEAR(v[1], 1.0f, 1e-6f);
    EXPECT_TRUE(isColor(windowPixel(0, 0), {255, 0, 0}));
    EXPECT_TRUE(isColor(windowPixel(31, 15), {255, 0, 0}));
    EXPECT_TRUE(isClearColor(windowPixel(32, 16)));
}

TEST_F(Renderer, UntexturedMaterialSendsNoTextureFlagAndLeavesTexturesUnbound) {
    Scene scene;
    scene.addQuad(red2D_.get(), {640, 360}, {10, 10});
    GLuint stray = 0;
    glGenTextures(1, &stray);
    glBindTexture(GL_TEXTURE_2D, stray);  // a renderer that bound or unbound a texture would change this
    scene.drawFrames();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    GLuint flag = 7;
    const GLuint program = shader2D_->getProgramId();
    glGetUniformuiv(program, glGetUniformLocation(program, "u_hasColorTexture"), &flag);
    EXPECT_EQ(static_cast<GLuint>(bound), stray);
    EXPECT_EQ(flag, 0u);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &stray);
}

TEST_F(Renderer, PlaneIsPlacedThroughTheCameraAndItsModelMatrix) {
    Scene scene;
    // Moved right by 0.5 and scaled by 1: seen from 2 units away it spans x 640..960.
    scene.addPlane(red3D_.get(), glm::vec3(0.5f, 0.0f, 0.0f), 1.0f);
    scene.drawFrames();
    EXPECT_TRUE(isColor(windowPixel(645, 360), {255, 0, 0}));
    EXPECT_TRUE(isColor(windowPixel(955, 360), {255, 0, 0}));
    EXPECT_TRUE(isClearColor(windowPixel(635, 360)));
    EXPECT_TRUE(isClearColor(windowPixel(965, 360)));
    EXPECT_TRUE(isColor(windowPixel(800, 210), {255, 0, 0}));  // top edge at 360 - 0.866 * 180
    EXPECT_TRUE(isClearColor(windowPixel(800, 200)));
}

TEST_F(Renderer, WireAndFillDrawsEdgesInTheEdgeColourOverTheDiffuseFace) {
    green2D_->getProperties().drawingMode = Material::WIRE_AND_FILL;
    green2D_->getProperties().edgeColor = ovra::Color(0.0f, 0.0f, 1.0f);
    green2D_->getProperties().edgeWidth = 3.0f;
    Scene scene;
    scene.addQuad(green2D_.get(), {640, 360}, {200, 100});
    scene.drawFrames();

    // The two triangles meet on the diagonal from (540, 409) to (739, 310).
    EXPECT_TRUE(isColor(windowPixel(600, 330), {0, 255, 0})) << "face above the diagonal";
    EXPECT_TRUE(isColor(windowPixel(700, 390), {0, 255, 0})) << "face below the diagonal";
    // Edges over the face itself, where fill and wire overlap: the wire must win.
    EXPECT_TRUE(isColor(windowPixel(640, 360), {0, 0, 255})) << "inner edge";
    EXPECT_TRUE(isColor(windowPixel(540, 360), {0, 0, 255})) << "left edge";
    EXPECT_TRUE(isColor(windowPixel(640, 310), {0, 0, 255})) << "top edge";
    EXPECT_TRUE(isColor(windowPixel(739, 360), {0, 0, 255})) << "right edge";
    // The stored colours are unchanged.
    EXPECT_FLOAT_EQ(green2D_->getProperties().diffuseColor.green, 1.0f);
    EXPECT_FLOAT_EQ(green2D_->getProperties().edgeColor.blue, 1.0f);
}

TEST_F(Renderer, WireLineMeshDrawsOneSegmentOfTheEdgeWidth) {
    red3D_->getProperties().drawingMode = Material::WIRE;
    red3D_->getProperties().drawingType = GL_LINES;
    red3D_->getProperties().edgeWidth = 5.0f;
    Scene scene;
    auto* line = new ovra::Entity("line");
    // Along x: turned a quarter about y, two units long, from pixel x 320 to 960 at y 360.
    line->getTransform().setScale(1.0f);
    line->getTransform().setRotation(1.5707964f, glm::vec3(0.0f, 1.0f, 0.0f));
    line->getTransform().setScale(2.0f);
    auto* visual = static_cast<ovra::Visual*>(line->newComponent(ovra::Component::VISUAL));
    auto* mesh = new ovra::LineMesh();
    mesh->setMaterial(red3D_.get(), 0);
    visual->setMesh(mesh, true);
    scene.level.getRootEntity().attach(*line);
    scene.drawFrames();

    for (int y : {358, 360, 362}) {
        EXPECT_TRUE(isColor(windowPixel(640, y), {255, 0, 0})) << "y " << y;
    }
    EXPECT_TRUE(isClearColor(windowPixel(640, 356)));
    EXPECT_TRUE(isClearColor(windowPixel(640, 364)));
    EXPECT_TRUE(isColor(windowPixel(400, 360), {255, 0, 0}));
    EXPECT_TRUE(isClearColor(windowPixel(640, 300)));
}

TEST_F(Renderer, UnknownDrawingModeDrawsNothing) {
    red2D_->getProperties().drawingMode = static_cast<Material::DRAWING_MODE>(7);
    Scene scene;
    scene.addQuad(red2D_.get(), {640, 360}, {100, 100});
    scene.addQuad(green2D_.get(), {200, 200}, {50, 50});
    scene.drawFrames();
    EXPECT_TRUE(isClearColor(windowPixel(640, 360)));
    EXPECT_TRUE(isColor(windowPixel(200, 200), {0, 255, 0})) << "later visuals still draw";
}

struct HiddenCase {
    const char* name;
    bool disableNode;
    bool disableParent;
    bool dropMesh;
};

class RendererSkips : public Renderer, public ::testing::WithParamInterface<HiddenCase> {};

TEST_P(RendererSkips, VisualIsHiddenWhileItsNodeOrAnAncestorIsOffOrItHasNoMesh) {
    const HiddenCase& c = GetParam();
    Scene scene;
    auto* parent = new ovra::Entity("parent");
    scene.level.getRootEntity().attach(*parent);
    ovra::Entity& plane = scene.addPlane(red3D_.get(), glm::vec3(0.0f), 2.0f, parent);
    auto* parent2D = new ovra::Entity2D("parent2D");
    scene.level.getRootEntity2D().attach(*parent2D);
    auto* quad = new ovra::Entity2D("quad");
    quad->setPosition(100, 100);
    quad->setSize(50, 50);
    auto* quadVisual = static_cast<ovra::Visual*>(quad->newComponent(ovra::Component::VISUAL2D));
    auto* quadMesh = new ovra::PlaneMesh(0, 0, 1, 1);
    quadMesh->setMaterial(red2D_.get(), 0);
    quadVisual->setMesh(quadMesh, true);
    parent2D->attach(*quad);

    plane.enable(!c.disableNode);
    quad->enable(!c.disableNode);
    parent->enable(!c.disableParent);
    parent2D->enable(!c.disableParent);
    std::unique_ptr<ovra::Mesh> dropped;
    if (c.dropMesh) {
        auto* visual = static_cast<ovra::Visual*>(plane.getComponent(ovra::Component::VISUAL));
        dropped.reset(&visual->getMesh());
        visual->setMesh(nullptr, false);
        quadVisual->setMesh(nullptr, false);
        delete quadMesh;
    }
    // Tree flags travel one level per update: two frames reach the grandchildren.
    scene.drawFrames(2);
    EXPECT_TRUE(isClearColor(windowPixel(640, 360)));
    EXPECT_TRUE(isClearColor(windowPixel(100, 100)));

    if (!c.dropMesh) {
        plane.enable(true);
        quad->enable(true);
        parent->enable(true);
        parent2D->enable(true);
        scene.drawFrames(2);
        EXPECT_TRUE(isColor(windowPixel(640, 360), {255, 0, 0})) << "shown again once switched on";
        EXPECT_TRUE(isColor(windowPixel(100, 100), {255, 0, 0}));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RendererSkips,
                         ::testing::Values(HiddenCase{"DisabledNode", true, false, false},
                                           HiddenCase{"DisabledAncestor", false, true, false},
                                           HiddenCase{"NoMesh", false, false, true}),
                         [](const ::testing::TestParamInfo<HiddenCase>& info) { return info.param.name; });

TEST_F(Renderer, SubMeshesWithoutMaterialAreSkippedAndTheOthersDrawInOrder) {
    Scene scene;
    auto* entity = new ovra::Entity2D("two-part");
    entity->setPosition(640, 360);
    entity->setSize(200, 200);
    auto* visual = static_cast<ovra::Visual*>(entity->newComponent(ovra::Component::VISUAL2D));
    // Three unit squares in one mesh: none, red, then green, all at the same depth.
    auto* mesh = new ovra::Mesh();
    for (int i = 0; i < 3; ++i) {
        ovra::Mesh::Sub& sub = mesh->createSubMesh();
        sub.numberVertices = 12;
        sub.numberTextureCoordinates = 8;
        sub.numberIndices = 6;
        sub.initializeData();
        const float v[] = {-0.5f, -0.5f, 0, -0.5f, 0.5f, 0, 0.5f, 0.5f, 0, 0.5f, -0.5f, 0};
        const uint32_t idx[] = {0, 1, 2, 2, 3, 0};
        std::copy(std::begin(v), std::end(v), sub.data.vertices);
        std::fill(sub.data.textureCoordinates, sub.data.textureCoordinates + 8, 0.0f);
        std::copy(std::begin(idx), std::end(idx), sub.data.indices);
    }
    mesh->pushToGPU(true);
    mesh->setMaterial(red2D_.get(), 1);
    mesh->setMaterial(green2D_.get(), 2);
    visual->setMesh(mesh, true);
    scene.level.getRootEntity2D().attach(*entity);
    scene.drawFrames();
    // With the depth test on, the first sub-mesh drawn keeps the pixel.
    EXPECT_TRUE(isColor(windowPixel(640, 360), {255, 0, 0}));
}

TEST_F(Renderer, VisualsDrawInAscendingIdOrder) {
    Scene scene;
    scene.addQuad(green2D_.get(), {640, 360}, {100, 100});
    scene.addQuad(red2D_.get(), {640, 360}, {100, 100});
    scene.drawFrames();
    // Same depth, depth test on: the earlier (lower id) visual keeps the pixel.
    EXPECT_TRUE(isColor(windowPixel(640, 360), {0, 255, 0}));
}

TEST_F(Renderer, WithoutCameraOnlyTheOverlayIsDrawn) {
    Scene scene(false);
    scene.addPlane(red3D_.get());
    scene.addQuad(green2D_.get(), {100, 100}, {50, 50});
    scene.drawFrames();
    EXPECT_TRUE(isClearColor(windowPixel(640, 360)));
    EXPECT_TRUE(isColor(windowPixel(100, 100), {0, 255, 0}));
}

TEST_F(Renderer, BrokenResourcesDoNotStopTheRestOfTheFrame) {
    TempFolder dir;
    ScopedRessourcesPath path(dir.path());
    std::unique_ptr<ovra::Texture> missing;
    {
        CapturedStdout quiet;
        missing = std::make_unique<ovra::Texture>("missing.png", GL_LINEAR, GL_CLAMP_TO_EDGE);
    }
    ASSERT_EQ(missing->getTextureID(), 0u);
    Material noShader;
    green3D_->setColorTexture(missing.get());

    Scene scene;
    scene.addPlane(green3D_.get(), glm::vec3(-1.5f, 0.0f, 0.0f), 0.5f);  // pixels x 40..200
    // Drawn with no program: the fixed pipeline takes its positions as device coordinates,
    // which puts it in the middle of the window, away from the other two.
    scene.addPlane(&noShader);
    scene.addQuad(red2D_.get(), {100, 100}, {50, 50});
    scene.drawFrames(2);
    EXPECT_TRUE(isColor(windowPixel(120, 360), {0, 255, 0})) << "a texture without image leaves the plain colour";
    EXPECT_TRUE(isColor(windowPixel(100, 100), {255, 0, 0}));
}

TEST_F(Renderer, DestroyedVisualIsNoLongerDrawn) {
    Scene scene;
    ovra::Entity2D& quad = scene.addQuad(red2D_.get(), {640, 360}, {100, 100});
    scene.drawFrames();
    ASSERT_TRUE(isColor(windowPixel(640, 360), {255, 0, 0}));
    delete &quad;
    scene.drawFrames();
    EXPECT_TRUE(isClearColor(windowPixel(640, 360)));
}

// Drawn, a sub-mesh without vertex array would make the driver read indices from address 0.
TEST_F(Renderer, SubMeshNeverUploadedIsSkippedInBothPasses) {
    Scene scene;
    ovra::Entity& plane = scene.addPlane(red3D_.get());
    ovra::Entity2D& quad = scene.addQuad(red2D_.get(), {100, 100}, {50, 50});
    const struct {
        ovra::Node* node;
        ovra::Component::COMPONENT_TYPE kind;
        Material* material;
    } cases[] = {{&plane, ovra::Component::VISUAL, green3D_.get()}, {&quad, ovra::Component::VISUAL2D, green2D_.get()}};
    for (const auto& c : cases) {
        ovra::Mesh& mesh = static_cast<ovra::Visual*>(c.node->getComponent(c.kind))->getMesh();
        ovra::Mesh::Sub& stray = mesh.createSubMesh();
        stray.numberIndices = 6;
        mesh.setMaterial(c.material, 1);
        ASSERT_EQ(stray.VAO_ID, 0u);
    }
    scene.drawFrames();
    EXPECT_TRUE(isColor(windowPixel(640, 360), {255, 0, 0}));
    EXPECT_TRUE(isColor(windowPixel(100, 100), {255, 0, 0}));
}

TEST_F(Renderer, MaterialWhoseShaderHasNoProgramDrawsNothing) {
    // A stage fails to compile, or the stages fail to link: either way no program.
    const char* const vertex =
        "#version 330\nin vec3 in_vertex;\nvoid main() { gl_Position = vec4(in_vertex, 1.0); }\n";
    const struct {
        const char* what;
        const char* fs;
    } cases[] = {
        {"compile", "#version 330\nvoid main() { not glsl }\n"},
        {"link", "#version 330\nout vec4 c;\nvoid paint() { c = vec4(1.0); }\n"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<ovra::Shader> unlinked;
        {
            CapturedStdout quiet;
            unlinked = std::make_unique<ovra::Shader>(vertex, c.fs);
        }
        ASSERT_EQ(unlinked->getProgramId(), 0u) << c.what;
        Material material(unlinked.get());
        Scene scene;
        // Without the rule it would draw white over the middle of the window.
        scene.addPlane(&material);
        scene.addPlane(green3D_.get(), glm::vec3(-1.5f, 0.0f, 0.0f), 0.5f);
        scene.drawFrames();
        EXPECT_TRUE(isClearColor(windowPixel(640, 360))) << c.what;
        EXPECT_TRUE(isColor(windowPixel(120, 360), {0, 255, 0})) << c.what << ": the rest of the frame";
    }
}
