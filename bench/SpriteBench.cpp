// N textured, alpha-masked quads laid on the ground and seen from above, as a game full of
// sprites draws them, beside a bare instanced GL loop drawing the same picture in one call:
// the floor of what the GPU work costs. Frames alternate between the contenders and the
// medians are compared; each ends with glFinish, so the GPU's work is in the measure.
// Goals: ordinary visuals at most 2.5 times the floor at 10,000 quads, the instanced visual
// at most 1.2 times.

#include "Ovra3D/Application.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/InstanceBatch.hpp"
#include "Ovra3D/Level.hpp"
#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Renderer.hpp"
#include "Ovra3D/SDL2/SDL2Container.hpp"
#include "Ovra3D/Shader.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/utils.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/Texture.hpp"
#include "Ovra3D/widgets/meshes/PlaneMesh.hpp"

#include "BufferReadback.hpp"
#include "Fakes.hpp"
#include "GameCamera.hpp"
#include "RatioGoal.hpp"
#include "RepoPaths.hpp"
#include "ShaderPair.hpp"
#include "WindowSetup.hpp"

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr double kFrameBudgetMs = 1000.0 / 60.0;

// The bare loop's own shader: the engine's instanced sprite shader reduced to what this
// picture needs, with the same arithmetic, so both draw the same pixels.
const char* const kFloorVertex = R"(#version 330
in vec3 in_vertex;
in vec2 in_texCoord;
layout(location = 4) in mat4 in_model;
uniform mat4 u_viewProjection;
out vec2 v_texCoord;
void main() {
    v_texCoord = in_texCoord;
    gl_Position = (u_viewProjection * in_model) * vec4(in_vertex, 1.0);
}
)";
const char* const kFloorFragment = R"(#version 330
in vec2 v_texCoord;
uniform sampler2D u_colorTexture;
out vec4 out_color;
void main() {
    vec4 texel = texture(u_colorTexture, v_texCoord);
    if (texel.a < 0.5) {
        discard;
    }
    out_color = vec4(1.0) * texel;
}
)";

// Holds the sprites and the game's camera. Its first update ends the run that binds the
// application to it; later updates only refresh the world matrices.
class SpriteLevel : public ovra::Level {
public:
    void initialize() override { camera_ = &addGameCamera(rootEntity_); }
    void update() override {
        ovra::Level::update();
        if (first_) {
            first_ = false;
            GETAPP().exit();
        }
    }

private:
    bool first_ = true;
};

// Sprite i of n: on a square grid over the ground, laid flat, turned about the up axis.
ovra::Transform placement(int i, int n) {
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n))));
    const float spacing = 18.0f / static_cast<float>(side);
    ovra::Transform t;
    t.setPosition(-9.0f + spacing * (static_cast<float>(i % side) + 0.5f), 0.1f,
                  -9.0f + spacing * (static_cast<float>(i / side) + 0.5f));
    t.rotateAroundUp(0.3f * static_cast<float>(i));
    t.rotateAroundLeft(1.5707964f);
    t.setScale(spacing * 0.9f);
    t.applyUpdates();
    return t;
}

// Pixels whose colour differs by more than a rounding step.
size_t differingPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    size_t differing = 0;
    for (size_t i = 0; i < a.size(); i += 3) {
        for (size_t c = 0; c < 3; ++c) {
            if (std::abs(static_cast<int>(a[i + c]) - static_cast<int>(b[i + c])) > 1) {
                ++differing;
                break;
            }
        }
    }
    return differing;
}

// One window for every sprite benchmark, made on first use: a window made again after
// another was closed in the same process fails now and then under Xvfb, so a few tries.
// Scenes release their GL objects before it goes.
ovra::sdl2::SDL2Container* spriteWindow() {
    static std::unique_ptr<ovra::sdl2::SDL2Container> container;
    static bool tried = false;
    if (tried) {
        return container.get();
    }
    tried = true;
    setenv("SDL_VIDEODRIVER", "x11", 0);
    container = workshop::openWindow(workshop::windowParam("Ovra sprite bench", kWidth, kHeight), 3);
    return container.get();
}

// The engine's scene of n sprites drawn one of two ways, and the bare floor.
class SpriteScene {
public:
    enum class Path { ORDINARY, INSTANCED };

    SpriteScene(int n, Path path) : n_(n), container_(spriteWindow()) {
        ready_ = container_ != nullptr;
        if (!ready_) {
            return;
        }
        build(path);
        bind();
        buildFloor();
    }

    ~SpriteScene() {
        if (!ready_) {
            return;
        }
        level_.reset();
        batch_.reset();
        material_.reset();
        mesh_.reset();
        texture_.reset();
        shader_.reset();
        glDeleteVertexArrays(1, &floorVao_);
        glDeleteBuffers(1, &floorInstances_);
        glDeleteProgram(floorProgram_);
    }

    bool ready() const { return ready_; }

    // One frame of the engine: the level's update (the sprites' world matrices) and the renderer.
    void engineFrame() {
        level_->update();
        renderer_.draw(0, 0, kWidth, kHeight);
        glFinish();
    }

    void floorFrame() {
        clearAsTheRendererDoes();
        glUseProgram(floorProgram_);
        glUniformMatrix4fv(floorViewProjection_, 1, GL_FALSE, glm::value_ptr(viewProjection_));
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, texture_->getTextureID());
        glBindVertexArray(floorVao_);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glDrawElementsInstanced(GL_TRIANGLES, indices_, GL_UNSIGNED_INT, nullptr, n_);
        glBindVertexArray(0);
        glBindTexture(GL_TEXTURE_2D, 0);
        glUseProgram(0);
        glFinish();
    }

    // The renderer's calls as they were before it bound on change: everything bound and
    // unbound around each draw. The reference for the memory swing.
    void unbindEachDrawFrame() {
        clearAsTheRendererDoes();
        const GLuint program = shader_->getProgramId();
        const GLint mvp = glGetUniformLocation(program, "u_mvp");
        const GLint color = glGetUniformLocation(program, "u_color");
        const GLint hasTexture = glGetUniformLocation(program, "u_hasColorTexture");
        const GLint sampler = glGetUniformLocation(program, "u_colorTexture");
        const GLint alphaMask = glGetUniformLocation(program, "u_useAlphaMask");
        const ovra::Mesh::Sub& sub = *mesh_->getSubMeshes().front();
        for (const glm::mat4& model : models_) {
            const glm::mat4 m = viewProjection_ * model;
            glUseProgram(program);
            glUniformMatrix4fv(mvp, 1, GL_FALSE, glm::value_ptr(m));
            glUniform3f(color, 1.0f, 1.0f, 1.0f);
            glUniform1ui(hasTexture, 1);
            glUniform1i(sampler, 0);
            glActiveTexture(GL_TEXTURE0);
            glBindTexture(GL_TEXTURE_2D, texture_->getTextureID());
            glUniform1ui(alphaMask, 1);
            glBindVertexArray(sub.VAO_ID);
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            glDrawElements(GL_TRIANGLES, indices_, GL_UNSIGNED_INT, nullptr);
            glBindVertexArray(0);
            glBindTexture(GL_TEXTURE_2D, 0);
            glUseProgram(0);
        }
        glFinish();
    }

    // Pixels of the engine's picture that the floor draws otherwise; the comparison means
    // nothing unless this is tiny.
    size_t pictureDifference() {
        engineFrame();
        const std::vector<unsigned char> engine = workshop::readFrame(kWidth, kHeight);
        floorFrame();
        return differingPixels(engine, workshop::readFrame(kWidth, kHeight));
    }

private:
    static void clearAsTheRendererDoes() {
        glViewport(0, 0, kWidth, kHeight);
        glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
    }

    static std::unique_ptr<ovra::Shader> loadShader(const std::string& name) {
        return workshop::buildShaderPair(repoRessources(), name);
    }

    void build(Path path) {
        const std::string previousPath = ovra::ObjectManager::getRessourcesPath();
        ovra::ObjectManager::setRessourcesPath(repoRessources());
        texture_ = std::make_unique<ovra::Texture>("zombie01.png", GL_LINEAR, GL_CLAMP_TO_EDGE);
        ovra::ObjectManager::setRessourcesPath(previousPath);
        shader_ = path == Path::ORDINARY ? loadShader("simple_shader") : ovra::InstanceBatch::newShader();
        material_ = std::make_unique<ovra::Material>(shader_.get());
        material_->setColorTexture(texture_.get());
        material_->getProperties().diffuseColor = ovra::Color(1.0f, 1.0f, 1.0f);
        material_->getProperties().useAlphaMask = true;
        mesh_ = std::make_unique<ovra::PlaneMesh>(0.0f, 0.0f, 1.0f, 1.0f);
        mesh_->setMaterial(material_.get(), 0);
        indices_ = static_cast<GLsizei>(mesh_->getSubMeshes().front()->numberIndices);

        level_ = std::make_unique<SpriteLevel>();
        level_->initialize();
        if (path == Path::INSTANCED) {
            batch_ = std::make_unique<ovra::InstanceBatch>();
            auto* node = new ovra::Entity("sprites");
            auto* visual = static_cast<ovra::Visual*>(node->newComponent(ovra::Component::VISUAL));
            visual->setMesh(mesh_.get(), false);
            visual->setInstances(batch_.get());
            level_->getRootEntity().attach(*node);
        }
        for (int i = 0; i < n_; ++i) {
            const ovra::Transform t = placement(i, n_);
            models_.push_back(t.getGlobal());
            if (path == Path::INSTANCED) {
                batch_->add(t.getGlobal());
                continue;
            }
            auto* sprite = new ovra::Entity("sprite");
            sprite->getTransform().setPosition(t.getPosition());
            sprite->getTransform().setRotation(t.getRotation());
            sprite->getTransform().setScale(t.getScale());
            auto* visual = static_cast<ovra::Visual*>(sprite->newComponent(ovra::Component::VISUAL));
            visual->setMesh(mesh_.get(), false);
            level_->getRootEntity().attach(*sprite);
        }
    }

    // One frame of the real loop: world matrices and the camera's view, and the application
    // bound to this container and level for the renderer to read.
    void bind() {
        runUnpaced(*container_, input_, *level_);
        const ovra::Camera& camera = *level_->getCamera();
        viewProjection_ = camera.getProjection() * camera.getView();
    }

    void buildFloor() {
        floorProgram_ = glCreateProgram();
        GLuint stages[2] = {glCreateShader(GL_VERTEX_SHADER), glCreateShader(GL_FRAGMENT_SHADER)};
        const char* sources[2] = {kFloorVertex, kFloorFragment};
        for (int s = 0; s < 2; ++s) {
            glShaderSource(stages[s], 1, &sources[s], nullptr);
            glCompileShader(stages[s]);
            glAttachShader(floorProgram_, stages[s]);
        }
        glBindAttribLocation(floorProgram_, 0, "in_vertex");
        glBindAttribLocation(floorProgram_, 1, "in_texCoord");
        glLinkProgram(floorProgram_);
        glDeleteShader(stages[0]);
        glDeleteShader(stages[1]);
        floorViewProjection_ = glGetUniformLocation(floorProgram_, "u_viewProjection");
        glUseProgram(floorProgram_);
        glUniform1i(glGetUniformLocation(floorProgram_, "u_colorTexture"), 0);
        glUseProgram(0);

        // The plane's own vertex buffers, and the models in a static buffer of their own.
        const ovra::Mesh::Sub& sub = *mesh_->getSubMeshes().front();
        glGenVertexArrays(1, &floorVao_);
        glBindVertexArray(floorVao_);
        glBindBuffer(GL_ARRAY_BUFFER, sub.verticesVBO_ID);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
        glEnableVertexAttribArray(0);
        glBindBuffer(GL_ARRAY_BUFFER, sub.textureCoordinatesVBO_ID);
        glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
        glEnableVertexAttribArray(1);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, sub.indicesVBO_ID);
        glGenBuffers(1, &floorInstances_);
        glBindBuffer(GL_ARRAY_BUFFER, floorInstances_);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(models_.size() * sizeof(glm::mat4)), models_.data(),
                     GL_STATIC_DRAW);
        for (GLuint column = 0; column < 4; ++column) {
            glVertexAttribPointer(4 + column, 4, GL_FLOAT, GL_FALSE, sizeof(glm::mat4),
                                  reinterpret_cast<const void*>(column * sizeof(glm::vec4)));
            glVertexAttribDivisor(4 + column, 1);
            glEnableVertexAttribArray(4 + column);
        }
        glBindVertexArray(0);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    }

    int n_;
    ovra::sdl2::SDL2Container* container_;
    bool ready_ = false;
    FakeInput input_;
    ovra::Renderer renderer_;
    std::unique_ptr<ovra::Texture> texture_;
    std::unique_ptr<ovra::Shader> shader_;
    std::unique_ptr<ovra::Material> material_;
    std::unique_ptr<ovra::PlaneMesh> mesh_;
    std::unique_ptr<ovra::InstanceBatch> batch_;
    std::unique_ptr<SpriteLevel> level_;
    std::vector<glm::mat4> models_;
    glm::mat4 viewProjection_{1.0f};
    GLsizei indices_ = 0;
    GLuint floorProgram_ = 0;
    GLint floorViewProjection_ = -1;
    GLuint floorVao_ = 0;
    GLuint floorInstances_ = 0;
};

// Frame times of one contender, and the minor page faults its frames caused.
struct Samples {
    std::vector<double> ms;
    long minorFaults = 0;

    double quantile(double q) const {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0.0 : sorted[static_cast<size_t>(q * static_cast<double>(sorted.size() - 1) + 0.5)];
    }
    double median() const { return quantile(0.5); }
    double faultsPerFrame() const { return ms.empty() ? 0.0 : static_cast<double>(minorFaults) / ms.size(); }
};

long minorFaultsSoFar() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// `frames` rounds; each draws one frame of every contender, the order turning by one each
// round, so that drift in the machine's speed weighs on all alike.
std::vector<Samples> alternate(int frames, const std::vector<std::function<void()>>& contenders) {
    using Clock = std::chrono::steady_clock;
    std::vector<Samples> samples(contenders.size());
    for (int round = 0; round < frames; ++round) {
        for (size_t k = 0; k < contenders.size(); ++k) {
            const size_t c = (k + static_cast<size_t>(round)) % contenders.size();
            const long faults = minorFaultsSoFar();
            const auto start = Clock::now();
            contenders[c]();
            samples[c].ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            samples[c].minorFaults += minorFaultsSoFar() - faults;
        }
    }
    return samples;
}

// The scene, or null with the reason given to the benchmark.
std::unique_ptr<SpriteScene> prepare(benchmark::State& state, int n, SpriteScene::Path path) {
    auto scene = std::make_unique<SpriteScene>(n, path);
    if (!scene->ready()) {
        state.SkipWithError("no window or GL context: run under a display (Xvfb)");
        return nullptr;
    }
    // A few edge pixels may round the other way (the ordinary path multiplies its matrices
    // on the CPU); more means the two loops draw different pictures.
    const size_t differing = scene->pictureDifference();
    if (differing > static_cast<size_t>(kWidth * kHeight) / 1000) {
        state.SkipWithError("the bare loop does not draw the engine's picture");
        return nullptr;
    }
    state.counters["differing_pixels"] = static_cast<double>(differing);
    return scene;
}

// Medians of the engine's path against the floor, with the verdict against `goal`.
void report(benchmark::State& state, const char* path, int n, const Samples& engine, const Samples& floor,
            const char* ratioName, double goal, bool goalApplies) {
    const double ratio = engine.median() / floor.median();
    state.counters["engine_ms"] = engine.median();
    state.counters["floor_ms"] = floor.median();
    state.counters[ratioName] = ratio;
    std::printf("%s, %d quads: engine %.2f ms, instanced floor %.2f ms (medians of %zu alternating frames), %s=%.3f",
                path, n, engine.median(), floor.median(), engine.ms.size(), ratioName, ratio);
    if (goalApplies) {
        std::printf(" (goal: at most %.2f; %s)", goal, againstGoal(ratio, goal));
    }
    std::printf("\n");
}

void BM_SpritesOrdinaryAgainstInstancedFloor(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::unique_ptr<SpriteScene> scene = prepare(state, n, SpriteScene::Path::ORDINARY);
    if (!scene) {
        return;
    }
    std::vector<Samples> samples;
    for (auto _ : state) {
        samples = alternate(n >= 10000 ? 40 : 100, {[&] { scene->engineFrame(); }, [&] { scene->floorFrame(); }});
    }
    report(state, "ordinary visuals", n, samples[0], samples[1], "ordinary_ratio", 2.5, n >= 10000);
}
BENCHMARK(BM_SpritesOrdinaryAgainstInstancedFloor)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_SpritesAgainstInstancedFloor(benchmark::State& state) {
    constexpr int kQuads = 10000;
    std::unique_ptr<SpriteScene> scene = prepare(state, kQuads, SpriteScene::Path::INSTANCED);
    if (!scene) {
        return;
    }
    std::vector<Samples> samples;
    for (auto _ : state) {
        samples = alternate(100, {[&] { scene->engineFrame(); }, [&] { scene->floorFrame(); }});
    }
    report(state, "instanced visual", kQuads, samples[0], samples[1], "instanced_ratio", 1.2, true);
}
BENCHMARK(BM_SpritesAgainstInstancedFloor)->Unit(benchmark::kMillisecond)->Iterations(1);

// At 10,000 quads, llvmpipe copies a state snapshot at each draw after a change of binding;
// glibc may hand those blocks back to the system and fault them in again, frame after frame,
// which showed as two speeds. Minor faults per frame and the spread of frame times, for the
// renderer and for the call sequence that unbinds after each draw.
void BM_SpritesMinorFaults(benchmark::State& state) {
    constexpr int kQuads = 10000;
    std::unique_ptr<SpriteScene> scene = prepare(state, kQuads, SpriteScene::Path::ORDINARY);
    if (!scene) {
        return;
    }
    std::vector<Samples> samples;
    for (auto _ : state) {
        samples = alternate(60, {[&] { scene->engineFrame(); }, [&] { scene->unbindEachDrawFrame(); }});
    }
    const char* names[] = {"renderer (binds on change)", "unbind after each draw"};
    for (size_t c = 0; c < 2; ++c) {
        std::printf("%s, %d quads: %.0f minor faults a frame; frame ms p10 %.2f, median %.2f, p90 %.2f\n", names[c],
                    kQuads, samples[c].faultsPerFrame(), samples[c].quantile(0.1), samples[c].median(),
                    samples[c].quantile(0.9));
    }
    state.counters["renderer_faults_per_frame"] = samples[0].faultsPerFrame();
    state.counters["unbinding_faults_per_frame"] = samples[1].faultsPerFrame();
}
BENCHMARK(BM_SpritesMinorFaults)->Unit(benchmark::kMillisecond)->Iterations(1);

// The largest N whose median frame fits in 1/60 s on this machine, for each path, found by
// bisection; frame times include the level's update for the engine's paths.
int largestAt60(SpriteScene::Path path, bool floor, int low, int high) {
    while (high - low > std::max(50, low / 20)) {
        const int n = low + (high - low) / 2;
        SpriteScene scene(n, path);
        if (!scene.ready()) {
            return 0;
        }
        const Samples s = alternate(15, {[&] { floor ? scene.floorFrame() : scene.engineFrame(); }})[0];
        (s.median() <= kFrameBudgetMs ? low : high) = n;
    }
    return low;
}

void BM_SpritesLargestAt60(benchmark::State& state) {
    int ordinary = 0;
    int instanced = 0;
    int bare = 0;
    for (auto _ : state) {
        ordinary = largestAt60(SpriteScene::Path::ORDINARY, false, 100, 40000);
        instanced = largestAt60(SpriteScene::Path::INSTANCED, false, 100, 400000);
        bare = largestAt60(SpriteScene::Path::INSTANCED, true, 100, 400000);
    }
    state.counters["ordinary_n"] = ordinary;
    state.counters["instanced_n"] = instanced;
    state.counters["floor_n"] = bare;
    std::printf("largest N at 60 frames a second: ordinary visuals %d, instanced visual %d, bare instanced floor %d\n",
                ordinary, instanced, bare);
}
BENCHMARK(BM_SpritesLargestAt60)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
