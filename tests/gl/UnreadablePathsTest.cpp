// Resource names that exist but are no readable file (folders, pipes, devices, dangling
// links, files this process may not read): each loader refuses them the way it refuses a
// missing file, without blocking on a pipe, crashing or throwing where it does not throw.
#include "ChildProcess.hpp"
#include "GpuTestSupport.hpp"
#include "UnreadablePaths.hpp"

#include "Ovra3D/Entity.hpp"
#include "Ovra3D/Shader.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/widgets/Mesh.hpp"
#include "Ovra3D/widgets/Texture.hpp"

#include <functional>
#include <memory>
#include <stdexcept>

using ovra::ObjectManager;

namespace {

class UnreadablePaths : public ::testing::Test {
protected:
    TempFolder dir_;
    ScopedRessourcesPath path_{dir_.path()};
    ScopedAlarm watchdog_{120};
};

std::string withoutSuffix(const std::string& name, const std::string& suffix) {
    return name.substr(0, name.size() - suffix.size());
}

}  // namespace

TEST_F(UnreadablePaths, AShaderSourceIsReportedNotFound) {
    for (const UnreadablePath& entry : plantUnreadablePaths(dir_, ".vert")) {
        CapturedStdout out;
        ovra::Shader* shader = nullptr;
        EXPECT_NO_THROW(shader = ObjectManager::createShader(withoutSuffix(entry.name, ".vert"), false)) << entry.what;
        EXPECT_EQ(shader, nullptr) << entry.what;
        EXPECT_EQ(out.lines(), std::vector<std::string>{"ERROR: [" + dir_.file(entry.name) + "] not found"})
            << entry.what;
    }
    // The fragment source goes through the same check once the vertex source has been read.
    dir_.write("halfway.vert", gputest::repoShaderSource("simple_2D_shader.vert"));
    ASSERT_EQ(::mkdir(dir_.file("halfway.frag").c_str(), 0755), 0);
    CapturedStdout out;
    EXPECT_EQ(ObjectManager::createShader("halfway", false), nullptr);
    EXPECT_EQ(out.lines(), std::vector<std::string>{"ERROR: [" + dir_.file("halfway.frag") + "] not found"});
    EXPECT_EQ(ObjectManager::getShader("halfway"), nullptr);
}

TEST_F(UnreadablePaths, AnImageGivesTheTextureErrorLineAndNoTexture) {
    for (const UnreadablePath& entry : plantUnreadablePaths(dir_, ".png")) {
        CapturedStdout out;
        std::unique_ptr<ovra::Texture> texture;
        EXPECT_NO_THROW(texture = std::make_unique<ovra::Texture>(entry.name, GL_LINEAR, GL_CLAMP_TO_EDGE))
            << entry.what;
        ASSERT_NE(texture, nullptr) << entry.what;
        EXPECT_EQ(texture->getTextureID(), 0u) << entry.what;
        const std::vector<std::string> lines = out.lines();
        ASSERT_EQ(lines.size(), 1u) << entry.what << ": " << out.text();
        EXPECT_EQ(lines[0].rfind("ERROR: Ovra: Texture: ", 0), 0u) << lines[0];
        EXPECT_NE(lines[0].find(dir_.file(entry.name)), std::string::npos) << "names the path: " << lines[0];
    }
}

TEST_F(UnreadablePaths, AModelFileThrowsInvalidArgumentNamingThePath) {
    for (const UnreadablePath& entry : plantUnreadablePaths(dir_, ".obj")) {
        const size_t visualsBefore = ObjectManager::getVisuals().size();
        try {
            std::unique_ptr<ovra::Entity> root(ObjectManager::load3DFile(entry.name, nullptr));
            ADD_FAILURE() << entry.what << ": no exception";
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find(dir_.file(entry.name)), std::string::npos)
                << entry.what << ": " << e.what();
        }
        EXPECT_EQ(ObjectManager::getVisuals().size(), visualsBefore) << entry.what << ": nothing created";
    }
}

TEST_F(UnreadablePaths, ACompanionFileIsTakenForAMissingOne) {
    // A model's companion files go through the same rule as the model: each unreadable kind
    // is, to the importer, a missing file. An OBJ file then keeps its geometry, its material
    // made without the library; a glTF file cannot do without its buffer and is refused. In a child under a
    // time limit: a companion opened as it is blocks on a pipe for ever.
    const std::vector<UnreadablePath> planted = plantUnreadablePaths(dir_, ".bin");
    const struct {
        const char* format;
        std::function<std::string(const std::string& companion)> model;
        bool imports;
    } cases[] = {
        {"obj",
         [](const std::string& companion) {
             return "mtllib " + companion + "\no quad\nv -1 -1 0\nv 1 -1 0\nv 1 1 0\nusemtl wood\nf 1 2 3\n";
         },
         true},
        {"gltf",
         [](const std::string& companion) {
             return R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],"nodes":[{"mesh":0}],)"
                    R"("meshes":[{"primitives":[{"attributes":{"POSITION":0}}]}],)"
                    R"("buffers":[{"byteLength":36,"uri":")" +
                    companion +
                    R"("}],"bufferViews":[{"buffer":0,"byteLength":36}],)"
                    R"("accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3",)"
                    R"("max":[1,1,0],"min":[-1,-1,0]}]})";
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        const auto modelFor = [&c](size_t i) { return "model" + std::to_string(i) + "." + c.format; };
        for (size_t i = 0; i < planted.size(); ++i) {
            dir_.write(modelFor(i), c.model(planted[i].name));
        }
        expectInChild(60, [&c, &planted, &modelFor] {
            int faults = 0;
            for (size_t i = 0; i < planted.size(); ++i) {
                const UnreadablePath& entry = planted[i];
                std::cerr << "companion: " << entry.what << std::endl;  // names the one that blocks
                const std::string model = modelFor(i);
                CapturedStdout quiet;
                try {
                    std::unique_ptr<ovra::Entity> root(ObjectManager::load3DFile(model, nullptr));
                    const ovra::Node* node = root->findChild("quad", true);
                    const auto* visual = node != nullptr ? static_cast<const ovra::Visual*>(
                                                               node->getComponent(ovra::Component::VISUAL))
                                                         : nullptr;
                    if (!c.imports || visual == nullptr || !visual->getMesh().hasMaterial(0)) {
                        std::cerr << "  imported" << (visual == nullptr ? " without the triangle" : "") << std::endl;
                        ++faults;
                    }
                } catch (const std::invalid_argument& e) {
                    if (c.imports) {
                        std::cerr << "  refused: " << e.what() << std::endl;
                        ++faults;
                    }
                }
            }
            return faults;
        });
    }
}
