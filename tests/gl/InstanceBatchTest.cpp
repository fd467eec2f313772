// An instanced visual draws the picture its instances would make as ordinary visuals, in
// one call, and leaves ordinary visuals of the same mesh as they were.
#include "GpuTestSupport.hpp"
#include "ImageFile.hpp"

#include "Ovra3D/InstanceBatch.hpp"
#include "Ovra3D/widgets/Texture.hpp"

#include <glm/gtc/matrix_transform.hpp>

using gputest::Scene;
using ovra::InstanceBatch;
using ovra::Material;

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;

// Equal frames, or where the first differing pixel is and how many differ.
::testing::AssertionResult sameFrame(const std::vector<unsigned char>& actual,
                                     const std::vector<unsigned char>& expected) {
    size_t differing = 0;
    size_t first = 0;
    for (size_t i = 0; i < expected.size(); i += 3) {
        if (actual[i] != expected[i] || actual[i + 1] != expected[i + 1] || actual[i + 2] != expected[i + 2]) {
            first = differing == 0 ? i / 3 : first;
            ++differing;
        }
    }
    if (differing == 0) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << differing << " pixels differ, the first at x " << first % kWidth << ", y "
                                         << kHeight - 1 - first / kWidth << " (from the top)";
}

// Where one sprite of the scene stands, relative to the node that holds them all.
struct Placement {
    glm::vec3 position;
    float angle;  // about the forward axis
    float scale;
};

const Placement kPlacements[] = {
    {{-1.25f, 0.5f, 0.0f}, 0.0f, 0.5f},  {{0.0f, 0.5f, 0.0f}, 0.5f, 0.5f},    {{1.25f, 0.5f, 0.0f}, 1.0f, 0.25f},
    {{-1.25f, -0.5f, 0.0f}, 1.5f, 0.5f}, {{0.0f, -0.5f, -0.5f}, 2.0f, 0.75f}, {{1.25f, -0.5f, 0.0f}, 2.5f, 0.5f},
    {{0.25f, 0.0f, 0.25f}, 0.25f, 0.5f},  // overlaps two others, nearer the camera
};

// The instance transform of a placement, composed as an entity composes its own.
glm::mat4 transformOf(const Placement& p) {
    ovra::Transform t;
    t.setPosition(p.position);
    t.rotateAroundForward(p.angle);
    t.setScale(p.scale);
    t.applyUpdates();
    return t.getGlobal();
}

// One sprite texture: an opaque disc (alpha 255) of four colours on a transparent square.
class InstanceBatchTest : public ::testing::Test {
protected:
    InstanceBatchTest() {
        EXPECT_TRUE(writeImage(dir_.path() + "/disc.png", 16, 16, [](int x, int y) {
            const int dx = x - 8;
            const int dy = y - 8;
            const auto a = static_cast<uint8_t>(dx * dx + dy * dy < 49 ? 255 : 0);
            return Texel{static_cast<uint8_t>(x < 8 ? 255 : 60), static_cast<uint8_t>(y < 8 ? 255 : 90), 200, a};
        }));
        ScopedRessourcesPath path(dir_.path() + "/");
        disc_ = std::make_unique<ovra::Texture>("disc.png", GL_NEAREST, GL_CLAMP_TO_EDGE);
    }

    // A material on `shader` as the case asks.
    std::unique_ptr<Material> material(ovra::Shader& shader, bool textured, Material::DRAWING_MODE mode,
                                       const ovra::Color& diffuse = ovra::Color(1.0f, 1.0f, 1.0f)) {
        auto m = std::make_unique<Material>(&shader);
        m->getProperties().diffuseColor = diffuse;
        m->getProperties().drawingMode = mode;
        m->getProperties().edgeColor = ovra::Color(0.0f, 0.0f, 1.0f);
        m->getProperties().useAlphaMask = textured;
        m->setColorTexture(textured ? disc_.get() : nullptr);
        return m;
    }

    // The node that holds the sprites, at `position`, under the scene's root.
    static ovra::Entity& group(Scene& scene, const glm::vec3& position) {
        auto* node = new ovra::Entity("group");
        node->getTransform().setPosition(position);
        scene.level.getRootEntity().attach(*node);
        return *node;
    }

    // The sprites as ordinary visuals, children of a group node at `position`; sprite i
    // takes materials[i], or the last one.
    static void addOrdinary(Scene& scene, const glm::vec3& position, const std::vector<Material*>& materials,
                            const std::vector<Placement>& placements = {std::begin(kPlacements),
                                                                        std::end(kPlacements)}) {
        ovra::Entity& parent = group(scene, position);
        for (size_t i = 0; i < placements.size(); ++i) {
            const Placement& p = placements[i];
            ovra::Entity& sprite = scene.addPlane(materials[std::min(i, materials.size() - 1)], p.position, p.scale,
                                                  &parent);
            sprite.getTransform().rotateAroundForward(p.angle);
        }
    }

    // One visual on a group node at `position`, drawing `batch` (may be null) with `mesh`
    // (not owned), or with a plane of its own in `material`.
    static ovra::Visual& addVisual(Scene& scene, const glm::vec3& position, Material& material, InstanceBatch* batch,
                                   ovra::Mesh* mesh = nullptr) {
        ovra::Entity& node = group(scene, position);
        auto* visual = static_cast<ovra::Visual*>(node.newComponent(ovra::Component::VISUAL));
        if (mesh == nullptr) {
            auto* plane = new ovra::PlaneMesh(0.0f, 0.0f, 1.0f, 1.0f);
            plane->setMaterial(&material, 0);
            visual->setMesh(plane, true);
        } else {
            visual->setMesh(mesh, false);
        }
        visual->setInstances(batch);
        return *visual;
    }

    static void fill(InstanceBatch& batch) {
        for (const Placement& p : kPlacements) {
            batch.add(transformOf(p));
        }
    }

    TempFolder dir_;
    std::unique_ptr<ovra::Texture> disc_;
    std::unique_ptr<ovra::Shader> plain_ = gputest::makeRepoShader("simple_shader");
    std::unique_ptr<ovra::Shader> instanced_ = InstanceBatch::newShader();
};

struct PictureCase {
    const char* name;
    bool textured;
    Material::DRAWING_MODE mode;
    glm::vec3 groupPosition;
};

class InstancedPictures : public InstanceBatchTest, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(InstancedPictures, MatchOrdinaryVisualsPixelForPixel) {
    const PictureCase& c = GetParam();
    ASSERT_NE(instanced_->getProgramId(), 0u);
    std::vector<unsigned char> ordinary;
    {
        const std::unique_ptr<Material> m = material(*plain_, c.textured, c.mode);
        Scene scene;
        addOrdinary(scene, c.groupPosition, {m.get()});
        scene.drawFrames(2);
        ordinary = windowFrame(kWidth, kHeight);
    }
    const std::unique_ptr<Material> m = material(*instanced_, c.textured, c.mode);
    InstanceBatch batch;
    fill(batch);
    Scene scene;
    addVisual(scene, c.groupPosition, *m, &batch);
    scene.drawFrames(2);
    EXPECT_TRUE(sameFrame(windowFrame(kWidth, kHeight), ordinary));
}

INSTANTIATE_TEST_SUITE_P(Cases, InstancedPictures,
                         ::testing::Values(PictureCase{"Plain", false, Material::FILL, glm::vec3(0.0f)},
                                           PictureCase{"TexturedMasked", true, Material::FILL, glm::vec3(0.0f)},
                                           PictureCase{"WireAndFill", false, Material::WIRE_AND_FILL, glm::vec3(0.0f)},
                                           PictureCase{"Wire", false, Material::WIRE, glm::vec3(0.0f)},
                                           PictureCase{"MovedNode", true, Material::FILL,
                                                       glm::vec3(0.25f, -0.125f, 0.0f)}),
                         [](const auto& info) { return std::string(info.param.name); });

// Edits between frames reach the GPU: a moved instance, a tinted one, one added past the
// buffer's first size and, in the last frame, the batch cut short.
TEST_F(InstanceBatchTest, EditsBetweenFramesShowAsOrdinaryVisualsWouldShowThem) {
    const ovra::Color tint(0.5f, 1.0f, 0.25f);
    const Placement moved{{-0.5f, 0.25f, 0.0f}, 0.75f, 0.5f};
    const Placement added{{0.75f, 0.25f, 0.0f}, 0.0f, 0.25f};
    std::vector<Placement> placements(std::begin(kPlacements), std::end(kPlacements));
    placements[2] = moved;
    placements.push_back(added);

    std::vector<unsigned char> edited;
    std::vector<unsigned char> cut;
    {
        const std::unique_ptr<Material> white = material(*plain_, true, Material::FILL);
        const std::unique_ptr<Material> tinted = material(*plain_, true, Material::FILL, tint);
        std::vector<Material*> materials(placements.size(), white.get());
        materials[4] = tinted.get();
        {
            Scene scene;
            addOrdinary(scene, glm::vec3(0.0f), materials, placements);
            scene.drawFrames(2);
            edited = windowFrame(kWidth, kHeight);
        }
        Scene scene;
        addOrdinary(scene, glm::vec3(0.0f), materials, {placements.begin(), placements.begin() + 3});
        scene.drawFrames(2);
        cut = windowFrame(kWidth, kHeight);
    }

    const std::unique_ptr<Material> m = material(*instanced_, true, Material::FILL);
    InstanceBatch batch;
    fill(batch);
    Scene scene;
    addVisual(scene, glm::vec3(0.0f), *m, &batch);
    scene.drawFrames(2);
    batch.setTransform(2, transformOf(moved));
    batch.setTint(4, tint);
    batch.add(transformOf(added));
    scene.drawFrames();
    EXPECT_TRUE(sameFrame(windowFrame(kWidth, kHeight), edited));
    batch.resize(3);
    scene.drawFrames();
    EXPECT_TRUE(sameFrame(windowFrame(kWidth, kHeight), cut));
    batch.resize(0);
    scene.drawFrames();
    EXPECT_TRUE(isClearColor(windowPixel(640, 360))) << "an empty batch draws nothing";
}

// A mesh carries its materials, so an ordinary visual of a batch's mesh draws with the
// instanced shader: as one untinted instance placed by its node, before or after the batch.
class InstanceBatchBeside : public InstanceBatchTest, public ::testing::WithParamInterface<bool> {};

TEST_P(InstanceBatchBeside, OrdinaryVisualOfTheBatchMeshIsPlacedByItsNodeAlone) {
    const bool batchFirst = GetParam();
    std::vector<unsigned char> alone;
    {
        const std::unique_ptr<Material> m = material(*plain_, true, Material::FILL);
        Scene scene;
        scene.addPlane(m.get(), glm::vec3(0.0f), 0.5f);
        scene.drawFrames();
        alone = windowFrame(kWidth, kHeight);
    }
    const std::unique_ptr<Material> m = material(*instanced_, true, Material::FILL);
    InstanceBatch batch;
    batch.add(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, 10.0f)));  // behind the camera
    auto mesh = std::make_unique<ovra::PlaneMesh>(0.0f, 0.0f, 1.0f, 1.0f);
    mesh->setMaterial(m.get(), 0);
    Scene scene;
    if (batchFirst) {
        addVisual(scene, glm::vec3(0.0f), *m, &batch, mesh.get());
    }
    // The plain one as large as the ordinary plane above.
    static_cast<ovra::Entity&>(addVisual(scene, glm::vec3(0.0f), *m, nullptr, mesh.get()).getNode())
        .getTransform()
        .setScale(0.5f);
    if (!batchFirst) {
        addVisual(scene, glm::vec3(0.0f), *m, &batch, mesh.get());
    }
    scene.drawFrames(2);
    EXPECT_TRUE(sameFrame(windowFrame(kWidth, kHeight), alone));
}

INSTANTIATE_TEST_SUITE_P(Order, InstanceBatchBeside, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "BatchFirst" : "BatchLast"); });

TEST(InstanceBatch, IndexThatNamesNoInstanceIsRefusedWithAnErrorLine) {
    InstanceBatch batch;
    batch.add(glm::translate(glm::mat4(1.0f), glm::vec3(1.0f, 2.0f, 3.0f)), ovra::Color(0.5f, 0.5f, 0.5f));
    CapturedStdout out;
    batch.setTransform(1, glm::mat4(2.0f));
    batch.setTint(7, ovra::Color(0.0f, 0.0f, 0.0f));
    const glm::mat4 missing = batch.getTransform(1);
    EXPECT_EQ(out.lines(),
              (std::vector<std::string>{"ERROR: Ovra: InstanceBatch: setTransform: no instance 1 (there are 1)",
                                        "ERROR: Ovra: InstanceBatch: setTint: no instance 7 (there are 1)",
                                        "ERROR: Ovra: InstanceBatch: getTransform: no instance 1 (there are 1)"}));
    EXPECT_EQ(missing, glm::mat4(1.0f));
    EXPECT_EQ(batch.size(), 1u);
    EXPECT_EQ(batch.getTransform(0)[3], glm::vec4(1.0f, 2.0f, 3.0f, 1.0f));
    EXPECT_FLOAT_EQ(batch.getTint(0).green, 0.5f);
}

}  // namespace
