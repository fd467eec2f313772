#include "ChildProcess.hpp"
#include "GpuTestSupport.hpp"

#include <cstdio>

using ovra::Material;
using ovra::ObjectManager;
using ovra::Shader;

namespace {

const char* const kBroken = "#version 330\nvoid main() { not glsl }\n";

// A scratch resources folder holding copies of the real 2D shader under any name.
// Shaders registered by a test are deleted afterwards, so names never leak between tests.
class ObjectManagerShaders : public ::testing::Test {
protected:
    void TearDown() override {
        for (const std::string& name : names_) {
            ObjectManager::deleteShader(name);
        }
    }

    void writeShader(const std::string& name, const std::string& vs, const std::string& fs) {
        dir_.write(name + ".vert", vs);
        dir_.write(name + ".frag", fs);
        names_.push_back(name);
    }
    void writeRealShader(const std::string& name) {
        writeShader(name, gputest::repoShaderSource("simple_2D_shader.vert"),
                    gputest::repoShaderSource("simple_2D_shader.frag"));
    }
    void removeFiles(const std::string& name) {
        std::remove(dir_.file(name + ".vert").c_str());
        std::remove(dir_.file(name + ".frag").c_str());
    }

    TempFolder dir_;
    ScopedRessourcesPath path_{dir_.path()};
    std::vector<std::string> names_;
};

// Counts the links it hears of.
class CountingObserver final : public Shader::OnCompileObserver {
public:
    void onCompileOccured(const Shader&) override { ++links; }
    int links = 0;
};

}  // namespace

TEST_F(ObjectManagerShaders, KnownNameIsReturnedWithoutReadingFiles) {
    writeRealShader("sprite");
    Shader* shader = ObjectManager::createShader("sprite", false);
    ASSERT_NE(shader, nullptr);
    ASSERT_NE(shader->getProgramId(), 0u);
    EXPECT_EQ(ObjectManager::getShader("sprite"), shader);

    removeFiles("sprite");
    CapturedStdout out;
    EXPECT_EQ(ObjectManager::createShader("sprite", false), shader);
    EXPECT_EQ(out.text(), "") << "no file was looked for";
}

TEST_F(ObjectManagerShaders, MissingSourceFilesAreReportedVertexFirst) {
    {
        CapturedStdout out;
        EXPECT_EQ(ObjectManager::createShader("absent", false), nullptr);
        // The fragment file is missing too, but is not even looked for.
        EXPECT_EQ(out.lines(), std::vector<std::string>{"ERROR: [" + dir_.file("absent.vert") + "] not found"});
    }
    dir_.write("halfway.vert", gputest::repoShaderSource("simple_2D_shader.vert"));
    {
        CapturedStdout out;
        EXPECT_EQ(ObjectManager::createShader("halfway", false), nullptr);
        EXPECT_EQ(out.lines(), std::vector<std::string>{"ERROR: [" + dir_.file("halfway.frag") + "] not found"});
    }
    EXPECT_EQ(ObjectManager::getShader("absent"), nullptr);
    EXPECT_EQ(ObjectManager::getShader("halfway"), nullptr);
}

TEST_F(ObjectManagerShaders, NewShaderThatFailsIsHandedBackUnregistered) {
    writeShader("faulty", kBroken, kBroken);
    CapturedStdout quiet;
    std::unique_ptr<Shader> shader(ObjectManager::createShader("faulty", false));
    ASSERT_NE(shader, nullptr);
    EXPECT_EQ(shader->getProgramId(), 0u);
    EXPECT_EQ(ObjectManager::getShader("faulty"), nullptr);
}

TEST_F(ObjectManagerShaders, ReloadRelinksTheSameShaderAndTellsItsMaterialsOnce) {
    writeRealShader("sprite");
    Shader* shader = ObjectManager::createShader("sprite", false);
    ASSERT_NE(shader, nullptr);
    CountingObserver observer;
    shader->addCompileObserver(observer);
    const GLuint program = shader->getProgramId();

    EXPECT_EQ(ObjectManager::createShader("sprite", true), shader);
    EXPECT_EQ(observer.links, 1);
    EXPECT_NE(shader->getProgramId(), 0u);
    EXPECT_EQ(glIsProgram(program), GL_FALSE) << "the replaced program was released";

    // Faulty sources on disk: still registered, still the last good program.
    const GLuint good = shader->getProgramId();
    dir_.write("sprite.frag", kBroken);
    {
        CapturedStdout quiet;
        EXPECT_EQ(ObjectManager::createShader("sprite", true), shader);
    }
    EXPECT_EQ(shader->getProgramId(), good);
    EXPECT_EQ(ObjectManager::getShader("sprite"), shader);

    // Files gone: null, and the table keeps the shader.
    removeFiles("sprite");
    {
        CapturedStdout quiet;
        EXPECT_EQ(ObjectManager::createShader("sprite", true), nullptr);
    }
    EXPECT_EQ(ObjectManager::getShader("sprite"), shader);
    EXPECT_EQ(observer.links, 1);
    shader->removeCompileObserver(observer);
}

TEST_F(ObjectManagerShaders, ReloadShaderFindsAnyRegisteredEntryAndIgnoresOthers) {
    for (const char* name : {"a_first", "b_second", "c_third"}) {
        writeRealShader(name);
        ASSERT_NE(ObjectManager::createShader(name, false), nullptr);
    }
    Shader* second = ObjectManager::getShader("b_second");
    CountingObserver observer;
    second->addCompileObserver(observer);
    EXPECT_EQ(ObjectManager::reloadShader(*second), second);
    EXPECT_EQ(observer.links, 1);
    second->removeCompileObserver(observer);

    const std::string vs = gputest::repoShaderSource("simple_2D_shader.vert");
    const std::string fs = gputest::repoShaderSource("simple_2D_shader.frag");
    Shader loose(vs.c_str(), fs.c_str());
    loose.addCompileObserver(observer);
    CapturedStdout out;
    EXPECT_EQ(ObjectManager::reloadShader(loose), &loose);
    EXPECT_EQ(observer.links, 1) << "not rebuilt";
    EXPECT_EQ(out.text(), "");
    loose.removeCompileObserver(observer);
}

TEST_F(ObjectManagerShaders, DeleteShaderDestroysOnlyAKnownName) {
    writeRealShader("doomed");
    Shader* shader = ObjectManager::createShader("doomed", false);
    ASSERT_NE(shader, nullptr);
    const GLuint program = shader->getProgramId();

    EXPECT_FALSE(ObjectManager::deleteShader("never-created"));
    EXPECT_EQ(ObjectManager::getShader("doomed"), shader);
    EXPECT_TRUE(ObjectManager::deleteShader("doomed"));
    EXPECT_EQ(ObjectManager::getShader("doomed"), nullptr);
    EXPECT_EQ(glIsProgram(program), GL_FALSE);
    EXPECT_EQ(ObjectManager::getShader("never-created"), nullptr) << "a lookup adds nothing";
}

TEST(ObjectManagerMaterials, CreatedByIdFoundAndHandedBack) {
    const long first = ObjectManager::createMaterial();
    const long second = ObjectManager::createMaterial();
    EXPECT_EQ(second, first + 1);
    Material* material = ObjectManager::getMaterial(first);
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->getID(), first);
    EXPECT_FLOAT_EQ(material->getProperties().diffuseColor.red, 0.8f) << "default settings";

    std::unique_ptr<Material> removed(ObjectManager::removeMaterial(first));
    EXPECT_EQ(removed.get(), material);
    EXPECT_EQ(ObjectManager::getMaterial(first), nullptr);
    EXPECT_EQ(ObjectManager::removeMaterial(first), nullptr);
    removed->getProperties().edgeWidth = 3.0f;  // still usable

    EXPECT_EQ(ObjectManager::getMaterial(second + 1000000), nullptr);
    delete ObjectManager::removeMaterial(second);
}

TEST(ObjectManagerPath, TrailingSlashIsAddedOnlyWhenMissing) {
    const std::string previous = ObjectManager::getRessourcesPath();
    const struct {
        const char* given;
        const char* stored;
    } cases[] = {{"../Ressources", "../Ressources/"}, {"../Ressources/", "../Ressources/"}, {"/", "/"}, {"", ""}};
    for (const auto& c : cases) {
        ObjectManager::setRessourcesPath(c.given);
        EXPECT_EQ(ObjectManager::getRessourcesPath(), c.stored) << "given \"" << c.given << "\"";
    }
    ObjectManager::setRessourcesPath(previous);
}

TEST_F(ObjectManagerShaders, ReleaseAllFreesMaterialsThenShadersAndEmptiesTheTables) {
    writeRealShader("released");
    Shader* shader = ObjectManager::createShader("released", false);
    ASSERT_NE(shader, nullptr);
    const GLuint program = shader->getProgramId();
    const long id = ObjectManager::createMaterial();
    // Bound, so releasing the shader first would leave the material pointing at freed memory.
    ObjectManager::getMaterial(id)->setShader(shader);

    ObjectManager::releaseAll();
    EXPECT_EQ(ObjectManager::getShader("released"), nullptr);
    EXPECT_EQ(ObjectManager::getMaterial(id), nullptr);
    EXPECT_EQ(glIsProgram(program), GL_FALSE);
}

TEST_F(ObjectManagerShaders, ShaderWithMaterialsBoundIsNotDeleted) {
    writeRealShader("still-used");
    Shader* shader = ObjectManager::createShader("still-used", false);
    ASSERT_NE(shader, nullptr);
    const GLuint program = shader->getProgramId();
    {
        Material material(shader);
        CapturedStdout out;
        EXPECT_FALSE(ObjectManager::deleteShader("still-used"));
        EXPECT_EQ(out.lines(),
                  std::vector<std::string>{
                      "ERROR: Ovra: ObjectManager: shader [still-used] still has materials bound, not deleted"});
        EXPECT_EQ(ObjectManager::getShader("still-used"), shader);
        EXPECT_EQ(glIsProgram(program), GL_TRUE);
    }
    EXPECT_TRUE(ObjectManager::deleteShader("still-used")) << "once its material is gone";
    EXPECT_EQ(ObjectManager::getShader("still-used"), nullptr);
}

TEST_F(ObjectManagerShaders, BuildErrorOfAShaderFromFilesNamesBothFiles) {
    writeShader("faulty", gputest::repoShaderSource("simple_2D_shader.vert"), kBroken);
    CapturedStdout out;
    std::unique_ptr<Shader> shader(ObjectManager::createShader("faulty", false));
    const std::vector<std::string> lines = out.lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "ERROR: Ovra: Shader: in " + dir_.file("faulty.vert") + " and " + dir_.file("faulty.frag"));
}

TEST_F(ObjectManagerShaders, NoMaterialKeepsAShaderThatIsGoneWhateverTheOrder) {
    // Materials outside the registry: one handed back by removeMaterial (as sprites keep
    // theirs), the stand-in of a mesh's missing material, and one made directly. Each case
    // runs in a child: on failure the next touch of a destroyed shader reads freed memory.
    writeRealShader("kept");
    const std::string vs = gputest::repoShaderSource("simple_2D_shader.vert");
    const std::string fs = gputest::repoShaderSource("simple_2D_shader.frag");
    const struct {
        const char* what;
        std::function<const char*()> run;  // null when all went well, else what did not
    } cases[] = {
        {"handed back, all released, then destroyed",
         [] {
             const long id = ObjectManager::createMaterial();
             ObjectManager::getMaterial(id)->setShader(ObjectManager::createShader("kept", false));
             std::unique_ptr<Material> owned(ObjectManager::removeMaterial(id));
             ObjectManager::releaseAll();
             return owned->getShader() == nullptr ? nullptr : "still bound to the released shader";
         }},
        {"handed back, all released, then moved to another shader",
         [&vs, &fs] {
             const long id = ObjectManager::createMaterial();
             ObjectManager::getMaterial(id)->setShader(ObjectManager::createShader("kept", false));
             std::unique_ptr<Material> owned(ObjectManager::removeMaterial(id));
             ObjectManager::releaseAll();
             Shader other(vs.c_str(), fs.c_str());
             owned->setShader(&other);
             owned.reset();
             return other.hasCompileObservers() ? "the moved material stayed listed" : nullptr;
         }},
        {"made directly, its shader destroyed first",
         [&vs, &fs] {
             auto shader = std::make_unique<Shader>(vs.c_str(), fs.c_str());
             Material material(shader.get());
             shader.reset();
             return material.getShader() == nullptr ? nullptr : "still bound to the destroyed shader";
         }},
        {"the stand-in bound, then its shader deleted",
         [] {
             ovra::PlaneMesh plane(0.0f, 0.0f, 1.0f, 1.0f);
             CapturedStdout quiet;
             plane.getMaterial(3).setShader(ObjectManager::createShader("kept", false));
             if (!ObjectManager::deleteShader("kept")) {
                 return "the stand-in kept the shader from being deleted";
             }
             return plane.getMaterial(3).getShader() == nullptr ? nullptr : "the stand-in holds the shader";
         }},
        {"the stand-in bound, all released, then bound again",
         [&vs, &fs] {
             ovra::PlaneMesh plane(0.0f, 0.0f, 1.0f, 1.0f);
             CapturedStdout quiet;
             plane.getMaterial(3).setShader(ObjectManager::createShader("kept", false));
             ObjectManager::releaseAll();
             Shader other(vs.c_str(), fs.c_str());
             plane.getMaterial(3).setShader(&other);
             return other.hasCompileObservers() ? "the stand-in was bound" : nullptr;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectInChild(60, [&c] {
            const char* fault = c.run();
            if (fault != nullptr) {
                std::cerr << c.what << ": " << fault << std::endl;
            }
            return fault == nullptr ? 0 : 1;
        });
    }
}
