// The renderer binds program, texture, vertex array and polygon mode only when a draw needs
// another, and leaves out uniform values a program already holds. These scenes mix the
// materials whose order could expose stale state, in both passes, and look at the pixels.
#include "GpuTestSupport.hpp"
#include "ImageFile.hpp"

#include "Ovra3D/widgets/Texture.hpp"

#include <initializer_list>

using gputest::Scene;
using ovra::Material;

namespace {

enum class Pass { Scene3D, Overlay };

enum Look {
    RED,
    GREEN,
    BLUE_TEXTURE,         // white diffuse times an all-blue texture
    NO_SHADER,            // the fixed pipeline: white, positions taken as device coordinates
    WIRE_RED,             // edges only: the middle stays clear
    WIRE_AND_FILL_GREEN,  // green face, blue edges
    ALWAYS_SAMPLES,       // a shader that reads its texture even without one: black then
    LOOK_COUNT
};

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

// Window spots outside the middle, where the shader-less plane lands.
constexpr glm::ivec2 kA{160, 100};
constexpr glm::ivec2 kB{1120, 100};
constexpr glm::ivec2 kC{160, 620};
constexpr glm::ivec2 kD{1120, 620};
constexpr glm::ivec2 kMiddle{640, 360};

// Texture coordinates with a constant colour and the shader otherwise like the repository's.
const char* const kAlwaysSamplesFragment = R"(#version 330
in vec2 v_texCoord;
uniform vec3 u_color;
uniform sampler2D u_colorTexture;
out vec4 out_color;
void main() { out_color = vec4(u_color, 1.0) * texture(u_colorTexture, v_texCoord); }
)";

struct Step {
    Look look;
    glm::ivec2 at;
    Rgb expected;  // the colour inside the quad, off the diagonal that a wire frame draws
};

// A pixel inside the quad centred on `at`, 35 pixels from the diagonal where its two
// triangles meet.
Rgb insideQuad(const glm::ivec2& at) { return windowPixel(at.x - 25, at.y - 25); }

struct StateCase {
    const char* name;
    std::vector<Step> steps;
};

// One shader, materials and texture set per pass, made in the order they must die.
class RendererState : public ::testing::Test {
protected:
    RendererState() {
        EXPECT_TRUE(writeImage(dir_.path() + "/blue.png", 2, 2, [](int, int) { return Texel{0, 0, 255, 255}; }));
        ScopedRessourcesPath path(dir_.path() + "/");
        blue_ = std::make_unique<ovra::Texture>("blue.png", GL_NEAREST, GL_CLAMP_TO_EDGE);
        makeSet(Pass::Scene3D, "simple_shader");
        makeSet(Pass::Overlay, "simple_2D_shader");
    }

    struct Set {
        std::unique_ptr<ovra::Shader> shader;
        std::unique_ptr<ovra::Shader> alwaysSamples;
        std::vector<std::unique_ptr<Material>> looks;
    };

    Material* material(Pass pass, Look look) { return sets_[static_cast<int>(pass)].looks[look].get(); }
    ovra::Shader& shader(Pass pass) { return *sets_[static_cast<int>(pass)].shader; }

    // A quad of about 120 pixels centred on window pixel `at`, in the pass's own terms.
    void add(Scene& scene, Pass pass, Look look, const glm::ivec2& at) {
        if (pass == Pass::Overlay) {
            scene.addQuad(material(pass, look), at, {120, 120});
            return;
        }
        // The Scene camera maps x 1 to 320 pixels and y 1 to 312 pixels about the middle.
        const glm::vec3 world(static_cast<float>(at.x - 640) / 320.0f, static_cast<float>(360 - at.y) / 312.0f, 0.0f);
        scene.addPlane(material(pass, look), world, 0.375f);
    }

    struct Placed {
        Look look;
        glm::ivec2 at;
    };
    // Each quad added in turn.
    void add(Scene& scene, Pass pass, std::initializer_list<Placed> quads) {
        for (const Placed& quad : quads) {
            add(scene, pass, quad.look, quad.at);
        }
    }

    static GLint integer(GLenum what) {
        GLint value = -1;
        glGetIntegerv(what, &value);
        return value;
    }

private:
    void makeSet(Pass pass, const std::string& name) {
        Set& set = sets_[static_cast<int>(pass)];
        set.shader = gputest::makeRepoShader(name);
        set.alwaysSamples = std::make_unique<ovra::Shader>(gputest::repoShaderSource(name + ".vert").c_str(),
                                                           kAlwaysSamplesFragment);
        set.looks.resize(LOOK_COUNT);
        set.looks[RED] = gputest::makeColorMaterial(*set.shader, 1.0f, 0.0f, 0.0f);
        set.looks[GREEN] = gputest::makeColorMaterial(*set.shader, 0.0f, 1.0f, 0.0f);
        set.looks[BLUE_TEXTURE] = gputest::makeColorMaterial(*set.shader, 1.0f, 1.0f, 1.0f);
        set.looks[BLUE_TEXTURE]->setColorTexture(blue_.get());
        set.looks[NO_SHADER] = std::make_unique<Material>();
        set.looks[WIRE_RED] = gputest::makeColorMaterial(*set.shader, 1.0f, 0.0f, 0.0f);
        set.looks[WIRE_RED]->getProperties().drawingMode = Material::WIRE;
        set.looks[WIRE_AND_FILL_GREEN] = gputest::makeColorMaterial(*set.shader, 0.0f, 1.0f, 0.0f);
        set.looks[WIRE_AND_FILL_GREEN]->getProperties().drawingMode = Material::WIRE_AND_FILL;
        set.looks[WIRE_AND_FILL_GREEN]->getProperties().edgeColor = ovra::Color(0.0f, 0.0f, 1.0f);
        set.looks[ALWAYS_SAMPLES] = gputest::makeColorMaterial(*set.alwaysSamples, 1.0f, 1.0f, 1.0f);
    }

    TempFolder dir_;
    std::unique_ptr<ovra::Texture> blue_;
    Set sets_[2];
};

const char* passName(Pass pass) { return pass == Pass::Overlay ? "Overlay" : "Scene3D"; }

const StateCase kStateCases[] = {
    {"OneShaderManyColours", {{RED, kA, kRed}, {GREEN, kB, kGreen}, {RED, kC, kRed}, {RED, kD, kRed}}},
    {"TexturedAndPlain", {{BLUE_TEXTURE, kA, kBlue}, {RED, kB, kRed}, {BLUE_TEXTURE, kC, kBlue}, {GREEN, kD, kGreen}}},
    {"NoShaderBetweenTwoWithOne", {{RED, kA, kRed}, {NO_SHADER, kMiddle, kWhite}, {GREEN, kB, kGreen}}},
    {"NoShaderAfterTexture", {{BLUE_TEXTURE, kA, kBlue}, {NO_SHADER, kMiddle, kWhite}, {BLUE_TEXTURE, kB, kBlue}}},
    {"WireThenFill", {{WIRE_RED, kA, kClearColor}, {GREEN, kB, kGreen}, {WIRE_RED, kC, kClearColor}}},
    {"WireAndFillTwiceThenFill",
     {{WIRE_AND_FILL_GREEN, kA, kGreen}, {WIRE_AND_FILL_GREEN, kB, kGreen}, {GREEN, kC, kGreen}, {RED, kD, kRed}}},
    {"SamplingShaderAfterTexture", {{BLUE_TEXTURE, kA, kBlue}, {ALWAYS_SAMPLES, kB, kBlack}, {RED, kC, kRed}}},
};

class RendererStateCases : public RendererState, public ::testing::WithParamInterface<std::tuple<StateCase, Pass>> {};

// Two frames: the second starts from whatever state the first left behind.
TEST_P(RendererStateCases, EveryQuadDrawsInItsOwnMaterial) {
    const auto& [c, pass] = GetParam();
    Scene scene;
    for (const Step& step : c.steps) {
        add(scene, pass, step.look, step.at);
    }
    scene.drawFrames(2);
    for (const Step& step : c.steps) {
        EXPECT_TRUE(isColor(insideQuad(step.at), step.expected)) << "look " << step.look;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RendererStateCases,
                         ::testing::Combine(::testing::ValuesIn(kStateCases),
                                            ::testing::Values(Pass::Scene3D, Pass::Overlay)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" + passName(std::get<1>(info.param));
                         });

class RendererStatePasses : public RendererState, public ::testing::WithParamInterface<Pass> {};

// A reloaded shader is a new program whose uniforms start at zero, and the second reload may
// hand out the first program's name again.
TEST_P(RendererStatePasses, ShaderReloadedBetweenFramesGetsTheMaterialValuesAgain) {
    const Pass pass = GetParam();
    Scene scene;
    add(scene, pass, {{RED, kA}, {GREEN, kB}, {BLUE_TEXTURE, kC}});
    const std::string name = pass == Pass::Overlay ? "simple_2D_shader" : "simple_shader";
    const std::string vs = gputest::repoShaderSource(name + ".vert");
    const std::string fs = gputest::repoShaderSource(name + ".frag");
    for (int reload = 0; reload < 3; ++reload) {
        if (reload > 0) {
            ASSERT_TRUE(shader(pass).compile(vs.c_str(), fs.c_str()));
        }
        scene.drawFrames();
        EXPECT_TRUE(isColor(insideQuad(kA), kRed)) << "reload " << reload;
        EXPECT_TRUE(isColor(insideQuad(kB), kGreen)) << "reload " << reload;
        EXPECT_TRUE(isColor(insideQuad(kC), kBlue)) << "reload " << reload;
    }
}

// Whatever another part of the program binds or sends between frames, the next frame draws
// the same: here a program in use, a colour sent to it and polygons drawn as lines.
TEST_P(RendererStatePasses, StateSetByOthersBetweenFramesIsNotTrusted) {
    const Pass pass = GetParam();
    Scene scene;
    add(scene, pass, {{NO_SHADER, kMiddle}, {GREEN, kA}, {GREEN, kB}});
    scene.drawFrames();
    const GLuint program = shader(pass).getProgramId();
    glUseProgram(program);
    glUniform3f(glGetUniformLocation(program, "u_color"), 1.0f, 0.0f, 1.0f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    scene.drawFrames();
    EXPECT_TRUE(isColor(insideQuad(kMiddle), kWhite)) << "no program, filled";
    EXPECT_TRUE(isColor(insideQuad(kA), kGreen));
    EXPECT_TRUE(isColor(insideQuad(kB), kGreen));
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

TEST_P(RendererStatePasses, FrameLeavesProgramTextureAndVertexArrayUnbound) {
    const Pass pass = GetParam();
    Scene scene;
    add(scene, pass, {{BLUE_TEXTURE, kA}, {WIRE_AND_FILL_GREEN, kB}});
    scene.drawFrames();
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
}

INSTANTIATE_TEST_SUITE_P(Passes, RendererStatePasses, ::testing::Values(Pass::Scene3D, Pass::Overlay),
                         [](const auto& info) { return std::string(passName(info.param)); });

}  // namespace
