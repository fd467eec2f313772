#include "GpuTestSupport.hpp"

using ovra::Color;
using ovra::Material;
using ovra::Shader;

TEST(Material, SequenceNumbersCountUpIndependentlyOfShaders) {
    Material first;
    auto shader = gputest::makeRepoShader("simple_shader");
    Material second;
    EXPECT_EQ(second.getID(), first.getID() + 1);
}

TEST(Material, StartsWithTheDefaultSettings) {
    Material material;
    const Material::Properties& p = material.getProperties();
    const struct {
        const char* name;
        Color actual;
        Color expected;
    } colors[] = {{"ambient", p.ambientColor, {0.1f, 0.1f, 0.1f}},
                  {"diffuse", p.diffuseColor, {0.8f, 0.8f, 0.8f}},
                  {"specular", p.specularColor, {1.0f, 1.0f, 1.0f}},
                  {"edge", p.edgeColor, {1.0f, 0.52f, 0.0f}}};
    for (const auto& c : colors) {
        EXPECT_NEAR(c.actual.red, c.expected.red, 1e-6f) << c.name;
        EXPECT_NEAR(c.actual.green, c.expected.green, 1e-6f) << c.name;
        EXPECT_NEAR(c.actual.blue, c.expected.blue, 1e-6f) << c.name;
    }
    EXPECT_FLOAT_EQ(p.transparency, 1.0f);
    EXPECT_FLOAT_EQ(p.specularIntensity, 1.0f);
    EXPECT_FLOAT_EQ(p.specularStrength, 1.0f);
    EXPECT_FALSE(p.useAlphaMask);
    EXPECT_EQ(p.drawingMode, Material::FILL);
    EXPECT_FLOAT_EQ(p.edgeWidth, 2.0f);
    EXPECT_EQ(p.drawingType, static_cast<GLenum>(GL_TRIANGLES));
    EXPECT_EQ(material.getName(), "");
}

TEST(Material, SetPropertiesCopiesOnlyTheSixImportedFields) {
    Material material;
    Material::Properties incoming;
    incoming.ambientColor = Color(0.3f, 0.3f, 0.3f);
    incoming.diffuseColor = Color(1.0f, 0.0f, 0.0f);
    incoming.specularColor = Color(0.5f, 0.5f, 0.5f);
    incoming.transparency = 0.25f;
    incoming.specularIntensity = 3.0f;
    incoming.specularStrength = 4.0f;
    incoming.useAlphaMask = true;
    incoming.drawingMode = Material::WIRE;
    incoming.edgeColor = Color(0.0f, 0.0f, 1.0f);
    incoming.edgeWidth = 9.0f;
    incoming.drawingType = GL_LINES;

    material.setProperties(incoming);
    const Material::Properties& p = material.getProperties();
    EXPECT_FLOAT_EQ(p.ambientColor.red, 0.3f);
    EXPECT_FLOAT_EQ(p.diffuseColor.red, 1.0f);
    EXPECT_FLOAT_EQ(p.diffuseColor.green, 0.0f);
    EXPECT_FLOAT_EQ(p.specularColor.blue, 0.5f);
    EXPECT_FLOAT_EQ(p.transparency, 0.25f);
    EXPECT_FLOAT_EQ(p.specularIntensity, 3.0f);
    EXPECT_FLOAT_EQ(p.specularStrength, 4.0f);
    // The drawing settings keep their defaults.
    EXPECT_FALSE(p.useAlphaMask);
    EXPECT_EQ(p.drawingMode, Material::FILL);
    EXPECT_FLOAT_EQ(p.edgeColor.blue, 0.0f);
    EXPECT_FLOAT_EQ(p.edgeWidth, 2.0f);
    EXPECT_EQ(p.drawingType, static_cast<GLenum>(GL_TRIANGLES));
}

TEST(Material, MovingToAnotherShaderLeavesTheFirstOnesObservers) {
    auto a = gputest::makeRepoShader("simple_2D_shader");
    auto b = gputest::makeRepoShader("simple_2D_shader");
    {
        Material material(a.get());
        material.setShader(b.get());
        EXPECT_FALSE(a->removeCompileObserver(material)) << "no longer observing A";
        EXPECT_TRUE(b->removeCompileObserver(material)) << "observing B";
        b->addCompileObserver(material);
    }
    // Destroyed, it has left B as well.
    struct Probe final : Shader::OnCompileObserver {
        void onCompileOccured(const Shader&) override {}
    } probe;
    EXPECT_FALSE(b->removeCompileObserver(probe));
}

// Uniforms declared in another order get other locations after a relink; the material
// must look them up again, or its colour would land in the wrong uniform.
TEST(Material, RelinkOfItsShaderRefreshesTheUniformLocations) {
    const std::string vs = gputest::repoShaderSource("simple_2D_shader.vert");
    const std::string fs = gputest::repoShaderSource("simple_2D_shader.frag");
    const std::string reordered =
        "#version 330\n"
        "in vec2 v_texCoord;\n"
        "uniform uint u_useAlphaMask;\n"
        "uniform sampler2D u_colorTexture;\n"
        "uniform uint u_hasColorTexture;\n"
        "uniform vec4 u_padding;\n"
        "uniform vec3 u_color;\n"
        "out vec4 out_color;\n"
        "void main() {\n"
        "    vec4 color = vec4(u_color, 1.0) + 0.0 * u_padding;\n"
        "    if (u_hasColorTexture == 1u) {\n"
        "        vec4 texel = texture(u_colorTexture, v_texCoord);\n"
        "        if (u_useAlphaMask == 1u && texel.a < 0.5) discard;\n"
        "        color *= texel;\n"
        "    }\n"
        "    out_color = color;\n"
        "}\n";
    Shader other(vs.c_str(), fs.c_str());
    Shader shader(vs.c_str(), fs.c_str());
    auto material = gputest::makeColorMaterial(other, 0.0f, 0.0f, 1.0f);
    material->setShader(&shader);
    const GLint before = glGetUniformLocation(shader.getProgramId(), "u_color");
    ASSERT_TRUE(shader.compile(vs.c_str(), reordered.c_str()));
    ASSERT_NE(glGetUniformLocation(shader.getProgramId(), "u_color"), before) << "the test needs moved uniforms";

    // Relinking the shader it left must not touch it.
    ASSERT_TRUE(other.compile(vs.c_str(), fs.c_str()));

    gputest::Scene scene;
    scene.addQuad(material.get(), {640, 360}, {200, 200});
    scene.drawFrames();
    EXPECT_TRUE(isColor(windowPixel(640, 360), {0, 0, 255}));
}

TEST(Material, NullShaderIsRefusedWithAnErrorLineAndTheBoundShaderStays) {
    auto shader = gputest::makeRepoShader("simple_2D_shader");
    const struct {
        const char* name;
        Shader* bound;
    } cases[] = {{"material without shader", nullptr}, {"material bound to a shader", shader.get()}};
    for (const auto& c : cases) {
        Material material;
        if (c.bound != nullptr) {
            material.setShader(c.bound);
        }
        CapturedStdout out;
        material.setShader(nullptr);
        EXPECT_EQ(out.lines(), std::vector<std::string>{"ERROR: Ovra: Material: no shader given"}) << c.name;
        if (c.bound != nullptr) {
            EXPECT_TRUE(c.bound->hasCompileObservers()) << "still observing its shader";
        }
    }
    EXPECT_FALSE(shader->hasCompileObservers()) << "each material left its shader as it died";

    CapturedStdout out;
    { Material unbound(nullptr); }
    EXPECT_EQ(out.lines(), std::vector<std::string>{"ERROR: Ovra: Material: no shader given"});
}
