#include "GpuTestSupport.hpp"

#include "Ovra3D/Shader.hpp"

#include <algorithm>

using ovra::Shader;

namespace {

const char* const kVertex =
    "#version 330\n"
    "in vec3 in_vertex;\n"
    "in vec2 in_texCoord;\n"
    "out vec2 v_texCoord;\n"
    "void main() { v_texCoord = in_texCoord; gl_Position = vec4(in_vertex, 1.0); }\n";
const char* const kFragment =
    "#version 330\n"
    "in vec2 v_texCoord;\n"
    "out vec4 out_color;\n"
    "void main() { out_color = vec4(v_texCoord, 0.0, 1.0); }\n";
const char* const kBroken = "#version 330\nvoid main() { this is not glsl }\n";
// Compiles, but has no main(): only linking fails.
const char* const kNoMainFragment =
    "#version 330\n"
    "out vec4 out_color;\n"
    "void paint() { out_color = vec4(1.0); }\n";

// Records the order in which observers hear of links.
class RecordingObserver final : public Shader::OnCompileObserver {
public:
    RecordingObserver(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
    void onCompileOccured(const Shader& shader) override {
        log_.push_back(name_);
        lastProgram = shader.getProgramId();
    }
    GLuint lastProgram = 0;

private:
    std::vector<std::string>& log_;
    std::string name_;
};

std::vector<GLuint> attachedStages(GLuint program) {
    GLuint stages[4] = {};
    GLsizei count = 0;
    glGetAttachedShaders(program, 4, &count, stages);
    return std::vector<GLuint>(stages, stages + count);
}

size_t countLines(const std::vector<std::string>& lines, const std::string& wanted) {
    return static_cast<size_t>(std::count(lines.begin(), lines.end(), wanted));
}

std::vector<std::string> nonEmpty(std::vector<std::string> lines) {
    lines.erase(std::remove(lines.begin(), lines.end(), std::string()), lines.end());
    return lines;
}

}  // namespace

TEST(Shader, SequenceNumbersCountUpAndAFailedBuildStillTakesOne) {
    CapturedStdout quiet;
    Shader first(kVertex, kFragment);
    Shader failed(kBroken, kFragment);
    Shader third(kVertex, kFragment);
    EXPECT_EQ(failed.getId(), first.getId() + 1);
    EXPECT_EQ(third.getId(), first.getId() + 2);
}

TEST(Shader, BuildsAProgramWithTheFixedAttributeLocations) {
    Shader shader(kVertex, kFragment);
    ASSERT_NE(shader.getProgramId(), 0u);
    EXPECT_EQ(glGetAttribLocation(shader.getProgramId(), "in_vertex"), Shader::ATTRIB_VERTICES_POS);
    EXPECT_EQ(glGetAttribLocation(shader.getProgramId(), "in_texCoord"), Shader::ATTRIB_TEXTURE2D_POS);
    EXPECT_EQ(attachedStages(shader.getProgramId()).size(), 2u);
}

TEST(Shader, VertexSyntaxErrorWritesThreeLinesAndNeverCompilesTheFragment) {
    CapturedStdout out;
    // The fragment source is broken too: had it been compiled, a second report would appear.
    Shader shader(kBroken, kBroken);
    const std::vector<std::string> lines = nonEmpty(out.lines());

    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front(), "ERROR: while compiling Shader :");
    EXPECT_NE(lines[1].find("error"), std::string::npos) << "the driver's log: " << lines[1];
    EXPECT_EQ(lines.back(), "ERROR: while compiling vertex shader");
    EXPECT_EQ(countLines(lines, "ERROR: while compiling Shader :"), 1u);
    EXPECT_EQ(countLines(lines, "ERROR: while compiling fragment shader"), 0u);
    EXPECT_EQ(shader.getProgramId(), 0u);
}

TEST(Shader, FragmentSyntaxErrorIsReportedForTheFragmentStage) {
    CapturedStdout out;
    Shader shader(kVertex, kBroken);
    const std::vector<std::string> lines = nonEmpty(out.lines());
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front(), "ERROR: while compiling Shader :");
    EXPECT_EQ(lines.back(), "ERROR: while compiling fragment shader");
    EXPECT_EQ(shader.getProgramId(), 0u);
}

TEST(Shader, LinkFailureWritesTheLogAndLeavesNoProgram) {
    CapturedStdout out;
    Shader shader(kVertex, kNoMainFragment);
    const std::vector<std::string> lines = nonEmpty(out.lines());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front(), "ERROR: while linking Shader :");
    EXPECT_EQ(countLines(lines, "ERROR: while compiling Shader :"), 0u);
    EXPECT_EQ(shader.getProgramId(), 0u);
}

TEST(Shader, ObserversAreToldOncePerLinkInTheOrderAdded) {
    // The observers outlive the shader, which tells those still listed that it is gone.
    std::vector<std::string> log;
    RecordingObserver a(log, "a");
    RecordingObserver b(log, "b");
    RecordingObserver c(log, "c");
    Shader shader(kVertex, kFragment);
    shader.addCompileObserver(a);
    shader.addCompileObserver(b);
    shader.addCompileObserver(a);  // already listed: stays where it was, told once
    shader.addCompileObserver(c);

    ASSERT_TRUE(shader.compile(kVertex, kFragment));
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(a.lastProgram, shader.getProgramId()) << "observers see the new program";

    EXPECT_TRUE(shader.removeCompileObserver(b));
    EXPECT_FALSE(shader.removeCompileObserver(b));
    log.clear();
    ASSERT_TRUE(shader.compile(kVertex, kFragment));
    EXPECT_EQ(log, (std::vector<std::string>{"a", "c"}));
}

TEST(Shader, SuccessfulRebuildReleasesTheProgramAndStagesItReplaced) {
    Shader shader(kVertex, kFragment);
    const GLuint oldProgram = shader.getProgramId();
    const std::vector<GLuint> oldStages = attachedStages(oldProgram);
    ASSERT_EQ(oldStages.size(), 2u);

    ASSERT_TRUE(shader.compile(kVertex, kFragment));
    EXPECT_NE(shader.getProgramId(), 0u);
    EXPECT_EQ(glIsProgram(oldProgram), GL_FALSE);
    for (GLuint stage : oldStages) {
        EXPECT_EQ(glIsShader(stage), GL_FALSE) << "stage " << stage;
    }
}

struct FailedRebuildCase {
    const char* name;
    const char* vs;
    const char* fs;
    const char* lastLine;
};

class ShaderFailedStage : public ::testing::TestWithParam<FailedRebuildCase> {};

TEST_P(ShaderFailedStage, KeepsThePreviousProgramWhichStillDrawsAndTellsNobody) {
    const FailedRebuildCase& c = GetParam();
    const std::string vs = gputest::repoShaderSource("simple_2D_shader.vert");
    const std::string fs = gputest::repoShaderSource("simple_2D_shader.frag");
    std::vector<std::string> log;
    RecordingObserver observer(log, "observer");
    Shader shader(vs.c_str(), fs.c_str());
    auto material = gputest::makeColorMaterial(shader, 0.0f, 1.0f, 0.0f);
    shader.addCompileObserver(observer);
    const GLuint program = shader.getProgramId();
    const std::vector<GLuint> stages = attachedStages(program);

    CapturedStdout out;
    EXPECT_FALSE(shader.compile(c.vs != nullptr ? c.vs : vs.c_str(), c.fs != nullptr ? c.fs : fs.c_str()));
    EXPECT_EQ(nonEmpty(out.lines()).back(), c.lastLine);
    EXPECT_EQ(shader.getProgramId(), program);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(attachedStages(program), stages) << "the program in use keeps its stages";
    for (GLuint stage : stages) {
        EXPECT_EQ(glIsShader(stage), GL_TRUE);
    }

    gputest::Scene scene;
    scene.addQuad(material.get(), {640, 360}, {100, 100});
    scene.drawFrames();
    EXPECT_TRUE(isColor(windowPixel(640, 360), {0, 255, 0}));
    shader.removeCompileObserver(observer);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShaderFailedStage,
    ::testing::Values(FailedRebuildCase{"FaultyVertex", kBroken, nullptr, "ERROR: while compiling vertex shader"},
                      FailedRebuildCase{"FaultyFragment", nullptr, kBroken, "ERROR: while compiling fragment shader"}),
    [](const ::testing::TestParamInfo<FailedRebuildCase>& info) { return info.param.name; });

TEST(Shader, FailedRelinkLeavesNoProgramReleasesTheOldOneAndTellsNobody) {
    std::vector<std::string> log;
    RecordingObserver observer(log, "observer");
    Shader shader(kVertex, kFragment);
    shader.addCompileObserver(observer);
    const GLuint oldProgram = shader.getProgramId();

    CapturedStdout out;
    EXPECT_FALSE(shader.compile(kVertex, kNoMainFragment));
    EXPECT_EQ(shader.getProgramId(), 0u);
    EXPECT_EQ(glIsProgram(oldProgram), GL_FALSE);
    EXPECT_TRUE(log.empty());

    // And it can come back from there.
    ASSERT_TRUE(shader.compile(kVertex, kFragment));
    EXPECT_NE(shader.getProgramId(), 0u);
    EXPECT_EQ(log.size(), 1u);
}

TEST(Shader, DestructionDeletesProgramAndStages) {
    GLuint program = 0;
    std::vector<GLuint> stages;
    {
        Shader shader(kVertex, kFragment);
        program = shader.getProgramId();
        stages = attachedStages(program);
    }
    EXPECT_EQ(glIsProgram(program), GL_FALSE);
    for (GLuint stage : stages) {
        EXPECT_EQ(glIsShader(stage), GL_FALSE);
    }
}

struct GLErrorCase {
    const char* name;
    void (*raise)();
    const char* suffix;  // the error in hexadecimal
};

class GLErrorReport : public ::testing::TestWithParam<GLErrorCase> {};

// The driver keeps a single error flag, so one error is what can be pending at a time.
TEST_P(GLErrorReport, PrintsThePendingErrorInHexadecimalAndConsumesIt) {
    while (glGetError() != GL_NO_ERROR) {
    }
    GetParam().raise();
    CapturedStdout out;
    EXPECT_TRUE(ovra::test_GL_error("Frame.cpp", 42));
    std::cout << 10 << std::endl;  // the stream is back to decimal
    const std::vector<std::string> lines = out.lines();
    ASSERT_EQ(lines.size(), 2u) << out.text();
    EXPECT_EQ(lines[0].rfind("glError in file Frame.cpp @ line 42: ", 0), 0u) << lines[0];
    const std::string suffix = GetParam().suffix;
    EXPECT_EQ(lines[0].substr(lines[0].size() - suffix.size()), suffix) << lines[0];
    EXPECT_EQ(lines[1], "10");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

INSTANTIATE_TEST_SUITE_P(Cases, GLErrorReport,
                         ::testing::Values(GLErrorCase{"InvalidEnum", [] { glEnable(0xFFFF); }, "(500)"},
                                           GLErrorCase{"InvalidFramebufferOperation",
                                                       [] {
                                                           GLuint fbo = 0;
                                                           glGenFramebuffers(1, &fbo);
                                                           glBindFramebuffer(GL_FRAMEBUFFER,
                                                                             fbo);  // no attachment: incomplete
                                                           glClear(GL_COLOR_BUFFER_BIT);
                                                           glBindFramebuffer(GL_FRAMEBUFFER, 0);
                                                           glDeleteFramebuffers(1, &fbo);
                                                       },
                                                       "(506)"}),
                         [](const ::testing::TestParamInfo<GLErrorCase>& info) { return info.param.name; });

TEST(GLErrorReportNone, PrintsNothingWithoutPendingError) {
    while (glGetError() != GL_NO_ERROR) {
    }
    CapturedStdout out;
    EXPECT_FALSE(ovra::test_GL_error("none.cpp", 1));
    EXPECT_EQ(out.text(), "");
}

TEST(Shader, MissingSourceTextIsAFailedStageThatKeepsThePreviousProgram) {
    const struct {
        const char* name;
        const char* vs;
        const char* fs;
        const char* stageLine;
    } cases[] = {
        {"no vertex source", nullptr, kFragment, "ERROR: while compiling vertex shader"},
        {"no fragment source", kVertex, nullptr, "ERROR: while compiling fragment shader"},
        {"neither", nullptr, nullptr, "ERROR: while compiling vertex shader"},
    };
    for (const auto& c : cases) {
        CapturedStdout out;
        Shader fresh(c.vs, c.fs);
        EXPECT_EQ(fresh.getProgramId(), 0u) << c.name;
        const std::vector<std::string> expected{"ERROR: Ovra: Shader: no source text", c.stageLine};
        EXPECT_EQ(out.lines(), expected) << c.name;

        Shader linked(kVertex, kFragment);
        const GLuint program = linked.getProgramId();
        ASSERT_NE(program, 0u);
        EXPECT_FALSE(linked.compile(c.vs, c.fs)) << c.name;
        EXPECT_EQ(linked.getProgramId(), program) << c.name;
        EXPECT_EQ(glIsProgram(program), GL_TRUE) << c.name;
    }
}

namespace {

// An observer that, when told, takes another observer (or itself) off the shader's list.
class LeavingObserver final : public Shader::OnCompileObserver {
public:
    LeavingObserver(Shader& shader, std::vector<std::string>& log, std::string name)
        : shader_(shader), log_(log), name_(std::move(name)) {}
    void onCompileOccured(const Shader&) override {
        log_.push_back(name_);
        if (leaving != nullptr) {
            shader_.removeCompileObserver(*leaving);
        }
    }
    Shader::OnCompileObserver* leaving = nullptr;

private:
    Shader& shader_;
    std::vector<std::string>& log_;
    std::string name_;
};

}  // namespace

TEST(Shader, ObserversMayLeaveTheListWhileBeingTold) {
    Shader shader(kVertex, kFragment);
    std::vector<std::string> log;
    LeavingObserver first(shader, log, "first");
    LeavingObserver second(shader, log, "second");
    LeavingObserver third(shader, log, "third");
    shader.addCompileObserver(first);
    shader.addCompileObserver(second);
    shader.addCompileObserver(third);
    first.leaving = &first;   // leaves while being told
    second.leaving = &third;  // takes a later one off before its turn

    ASSERT_TRUE(shader.compile(kVertex, kFragment));
    EXPECT_EQ(log, (std::vector<std::string>{"first", "second"}));
    EXPECT_FALSE(shader.removeCompileObserver(first));
    EXPECT_FALSE(shader.removeCompileObserver(third));
    EXPECT_TRUE(shader.removeCompileObserver(second));
}

TEST(GLErrorReportNone, NoFileNamePrintsAsNullAndTheStreamKeepsWorking) {
    while (glGetError() != GL_NO_ERROR) {
    }
    glEnable(0xFFFF);
    CapturedStdout out;
    EXPECT_TRUE(ovra::test_GL_error(nullptr, 7));
    std::cout << "after" << std::endl;
    EXPECT_TRUE(std::cout.good());
    const std::vector<std::string> lines = out.lines();
    ASSERT_EQ(lines.size(), 2u) << out.text();
    EXPECT_EQ(lines[0].rfind("glError in file (null) @ line 7: ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1], "after");
}

// A fragment stage that declares one of the engine's uniforms as `declaration` and uses it,
// so that the linker keeps it.
struct UniformTypeCase {
    const char* name;
    const char* declaration;
    const char* use;
    const char* line;  // empty: no error line
};

class ShaderUniformTypes : public ::testing::TestWithParam<UniformTypeCase> {};

TEST_P(ShaderUniformTypes, ContractUniformOfAnotherTypeIsNamedWithTheTypeExpected) {
    const UniformTypeCase& c = GetParam();
    const std::string fragment = std::string("#version 330\nout vec4 out_color;\n") + c.declaration +
                                 "\nvoid main() { out_color = vec4(1.0); " + c.use + " }\n";
    const std::string vertex =
        "#version 330\nin vec3 in_vertex;\nuniform mat4 u_mvp;\n"
        "void main() { gl_Position = u_mvp * vec4(in_vertex, 1.0); }\n";
    CapturedStdout out;
    Shader shader(vertex.c_str(), fragment.c_str(), "quad.vert and quad.frag");
    EXPECT_NE(shader.getProgramId(), 0u) << "it still links";
    if (std::string(c.line).empty()) {
        EXPECT_EQ(out.text(), "");
    } else {
        EXPECT_EQ(out.lines(), (std::vector<std::string>{c.line, "ERROR: Ovra: Shader: in quad.vert and quad.frag"}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShaderUniformTypes,
    ::testing::Values(
        UniformTypeCase{"IntFlag", "uniform int u_hasColorTexture;", "if (u_hasColorTexture == 1) discard;",
                        "ERROR: Ovra: Shader: uniform u_hasColorTexture is declared int, the engine sets it as uint"},
        UniformTypeCase{"FloatMask", "uniform float u_useAlphaMask;", "if (u_useAlphaMask > 0.5) discard;",
                        "ERROR: Ovra: Shader: uniform u_useAlphaMask is declared float, the engine sets it as uint"},
        UniformTypeCase{"Vec4Colour", "uniform vec4 u_color;", "out_color = u_color;",
                        "ERROR: Ovra: Shader: uniform u_color is declared vec4, the engine sets it as vec3"},
        UniformTypeCase{
            "Vec2Placement", "uniform vec2 u_translationAndScale;", "out_color.xy = u_translationAndScale;",
            "ERROR: Ovra: Shader: uniform u_translationAndScale is declared vec2, the engine sets it as vec4"},
        UniformTypeCase{"UintFlag", "uniform uint u_hasColorTexture;", "if (u_hasColorTexture == 1u) discard;", ""},
        UniformTypeCase{"BoolFlag", "uniform bool u_useAlphaMask;", "if (u_useAlphaMask) discard;", ""},
        UniformTypeCase{"OtherUniform", "uniform int u_mine;", "if (u_mine == 1) discard;", ""}),
    [](const ::testing::TestParamInfo<UniformTypeCase>& info) { return info.param.name; });

TEST(Shader, BuildErrorsEndWithALineNamingTheSourcesWhenGiven) {
    const struct {
        const char* what;
        const char* vs;
        const char* fs;
        const char* stageLine;
    } cases[] = {
        {"vertex", kBroken, kFragment, "ERROR: while compiling vertex shader"},
        {"fragment", kVertex, kBroken, "ERROR: while compiling fragment shader"},
        {"link", kVertex, kNoMainFragment, nullptr},
    };
    for (const auto& c : cases) {
        CapturedStdout out;
        Shader shader(c.vs, c.fs, "a/b.vert and a/b.frag");
        const std::vector<std::string> lines = nonEmpty(out.lines());
        ASSERT_GE(lines.size(), 2u) << c.what;
        EXPECT_EQ(lines.back(), "ERROR: Ovra: Shader: in a/b.vert and a/b.frag") << c.what;
        if (c.stageLine != nullptr) {
            EXPECT_EQ(lines[lines.size() - 2], c.stageLine) << c.what;
        }
        EXPECT_EQ(lines.front(),
                  c.stageLine != nullptr ? "ERROR: while compiling Shader :" : "ERROR: while linking Shader :")
            << c.what;
    }
}
