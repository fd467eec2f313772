// One frame of the renderer drawing the game's kind of scene (101 textured, alpha-masked
// sprites laid on the ground, seen from above, and 3 overlay quads at 1280 x 720), beside a
// bare loop that issues the same GL calls on the same meshes, textures and shaders directly
// (each binding and uniform value only when it changes, as the renderer does).
// Both end each frame with glFinish, so the GPU's work is in the measure.

#include "Ovra3D/Application.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Input.hpp"
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
#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kSprites = 101;
// The engine's frame may take at most this many times the bare GL frame.
constexpr double kFrameGoal = 1.05;

// Holds the scene and the game's camera: 20 units above the ground, looking down.
// Its one update ends the run, which leaves the application bound to it.
class SceneLevel : public ovra::Level {
public:
    void initialize() override { camera_ = &addGameCamera(rootEntity_); }
    void update() override {
        ovra::Level::update();
        GETAPP().exit();
    }
};

// What the bare loop needs to draw one sub-mesh the way the renderer does.
struct BareDraw {
    GLuint program;
    GLint placement;  // "u_mvp" or "u_translationAndScale"
    GLint color;
    GLint hasColorTexture;
    GLint colorTexture;
    GLint useAlphaMask;
    glm::mat4 mvp;
    glm::vec4 translationAndScale;
    glm::vec3 diffuse;
    GLuint texture;  // 0 = none
    GLuint vao;
    GLsizei indices;
};

class RendererScene {
public:
    RendererScene() {
        ready_ = container_.initialize(workshop::windowParam("Brimwold renderer bench", kWidth, kHeight));
        if (!ready_) {
            return;
        }
        build();
        bind();
        collectBareDraws();
    }

    ~RendererScene() {
        if (!ready_) {
            return;
        }
        level_.reset();  // the nodes take their visuals out of the registries
        materials_.clear();
        meshes_.clear();
        textures_.clear();
        shader3D_.reset();
        shader2D_.reset();
    }

    bool ready() const { return ready_; }

    void engineFrame() {
        renderer_.draw(0, 0, kWidth, kHeight);
        glFinish();
    }

    // The GL calls the renderer makes for this scene, written out: each binding and uniform
    // value sent only when it changes, everything unbound at the end of each pass.
    void bareFrame() {
        glViewport(0, 0, kWidth, kHeight);
        glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        for (const std::vector<BareDraw>* pass : {&sprites_, &overlays_}) {
            BareState state;
            for (const BareDraw& d : *pass) {
                if (state.program != d.program) {
                    glUseProgram(d.program);
                    state = BareState{d.program};
                }
                if (pass == &sprites_) {
                    glUniformMatrix4fv(d.placement, 1, GL_FALSE, glm::value_ptr(d.mvp));
                } else {
                    glUniform4f(d.placement, d.translationAndScale.x, d.translationAndScale.y, d.translationAndScale.z,
                                d.translationAndScale.w);
                }
                bareDraw(d, state);
            }
            glBindVertexArray(0);
            glBindTexture(GL_TEXTURE_2D, 0);
            glUseProgram(0);
        }
        glFinish();
    }

    // The two loops must draw the same picture, or the comparison means nothing.
    bool framesMatch() {
        engineFrame();
        const std::vector<unsigned char> engine = workshop::readFrame(kWidth, kHeight);
        bareFrame();
        return workshop::readFrame(kWidth, kHeight) == engine;
    }

private:
    // What the bare loop has bound and sent in the current pass; 0 and -1 mean not yet.
    struct BareState {
        GLuint program = 0;
        GLuint texture = 0;
        GLuint vao = 0;
        glm::vec3 diffuse{-1.0f};
        int hasColorTexture = -1;
        bool samplerSet = false;
        bool alphaMaskSet = false;
        bool filled = false;
    };

    static void bareDraw(const BareDraw& d, BareState& state) {
        if (state.diffuse != d.diffuse) {
            glUniform3f(d.color, d.diffuse.r, d.diffuse.g, d.diffuse.b);
            state.diffuse = d.diffuse;
        }
        const int hasColorTexture = d.texture != 0 ? 1 : 0;
        if (state.hasColorTexture != hasColorTexture) {
            glUniform1ui(d.hasColorTexture, static_cast<GLuint>(hasColorTexture));
            state.hasColorTexture = hasColorTexture;
        }
        if (d.texture != 0 && !state.samplerSet) {
            glUniform1i(d.colorTexture, 0);
            state.samplerSet = true;
        }
        if (state.texture != d.texture) {
            glActiveTexture(GL_TEXTURE0);
            glBindTexture(GL_TEXTURE_2D, d.texture);
            state.texture = d.texture;
        }
        if (!state.alphaMaskSet) {
            glUniform1ui(d.useAlphaMask, 1);
            state.alphaMaskSet = true;
        }
        if (state.vao != d.vao) {
            glBindVertexArray(d.vao);
            state.vao = d.vao;
        }
        if (!state.filled) {
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            state.filled = true;
        }
        glDrawElements(GL_TRIANGLES, d.indices, GL_UNSIGNED_INT, nullptr);
    }

    static std::unique_ptr<ovra::Shader> loadShader(const std::string& name) {
        return workshop::buildShaderPair(repoRessources(), name);
    }

    ovra::Material& newMaterial(ovra::Shader& shader, ovra::Texture* texture, const ovra::Color& diffuse) {
        materials_.push_back(std::make_unique<ovra::Material>(&shader));
        ovra::Material& material = *materials_.back();
        material.setColorTexture(texture);
        material.getProperties().diffuseColor = diffuse;
        material.getProperties().useAlphaMask = true;
        return material;
    }

    ovra::PlaneMesh& newPlane(ovra::Material& material) {
        meshes_.push_back(std::make_unique<ovra::PlaneMesh>(0.0f, 0.0f, 1.0f, 1.0f));
        meshes_.back()->setMaterial(&material, 0);
        return *meshes_.back();
    }

    ovra::Texture* newTexture(const std::string& file) {
        textures_.push_back(std::make_unique<ovra::Texture>(file, GL_LINEAR, GL_CLAMP_TO_EDGE));
        return textures_.back().get();
    }

    // As the game builds its sprites: a parent placed on the ground and a visual child
    // lifted by 0.1, scaled by 2 and laid flat; every sprite has its own texture.
    void build() {
        const std::string previousPath = ovra::ObjectManager::getRessourcesPath();
        ovra::ObjectManager::setRessourcesPath(repoRessources());
        shader3D_ = loadShader("simple_shader");
        shader2D_ = loadShader("simple_2D_shader");
        level_ = std::make_unique<SceneLevel>();
        level_->initialize();
        const ovra::Color white(1.0f, 1.0f, 1.0f);

        for (int i = 0; i < kSprites; ++i) {
            auto* sprite = new ovra::Entity("sprite");
            const float x = static_cast<float>(i % 11) * 2.0f - 10.0f;
            const float z = static_cast<float>(i / 11) * 2.0f - 9.0f;
            sprite->getTransform().setPosition(x, 0.0f, z);
            sprite->getTransform().rotateAroundUp(0.3f * static_cast<float>(i));
            auto* visualEntity = new ovra::Entity("sprite_visual");
            auto* visual = static_cast<ovra::Visual*>(visualEntity->newComponent(ovra::Component::VISUAL));
            ovra::Texture* texture = newTexture(i == 0 ? "cat_01.png" : "zombie01.png");
            visual->setMesh(&newPlane(newMaterial(*shader3D_, texture, white)), false);
            visualEntity->getTransform().setPosition(0.0f, 0.1f, 0.0f);
            visualEntity->getTransform().setScale(2.0f);
            visualEntity->getTransform().rotateAroundLeft(1.5707964f);
            sprite->attach(*visualEntity);
            level_->getRootEntity().attach(*sprite);
        }

        struct Overlay {
            const char* image;  // null = plain colour
            ovra::Color color;
            glm::ivec2 position;
            glm::ivec2 size;
        };
        const Overlay overlays[] = {{"spacecat_circle.png", white, {100, 100}, {128, 128}},
                                    {nullptr, ovra::Color(1.0f, 0.0f, 0.0f), {100, 204}, {128, 10}},
                                    {"gameover.png", white, {640, 360}, {1024, 578}}};
        for (const Overlay& o : overlays) {
            auto* entity = new ovra::Entity2D("overlay");
            auto* visual = static_cast<ovra::Visual*>(entity->newComponent(ovra::Component::VISUAL2D));
            ovra::Texture* texture = o.image != nullptr ? newTexture(o.image) : nullptr;
            visual->setMesh(&newPlane(newMaterial(*shader2D_, texture, o.color)), false);
            entity->setPosition(o.position);
            entity->setSize(o.size);
            level_->getRootEntity2D().attach(*entity);
        }
        ovra::ObjectManager::setRessourcesPath(previousPath);
    }

    // One frame of the real loop: computes the world matrices and the camera's view and
    // leaves the application bound to this container and level for the renderer to read.
    void bind() { runUnpaced(container_, input_, *level_); }

    void collectBareDraws() {
        const ovra::Camera& camera = *level_->getCamera();
        const glm::mat4 projectionView = camera.getProjection() * camera.getView();
        size_t next = 0;
        for (ovra::Node* sprite : level_->getRootEntity().getChildren()) {
            if (sprite->countChildren() == 0) {
                continue;  // the camera
            }
            const auto& visualEntity = static_cast<const ovra::Entity&>(*sprite->getChild(0));
            BareDraw d = common(*shader3D_, next++, "u_mvp");
            d.mvp = projectionView * visualEntity.getTransform().getGlobal();
            sprites_.push_back(d);
        }
        for (ovra::Node* node : level_->getRootEntity2D().getChildren()) {
            const auto& entity = static_cast<const ovra::Entity2D&>(*node);
            BareDraw d = common(*shader2D_, next++, "u_translationAndScale");
            const glm::vec2 p(entity.getWorldPosition());
            const glm::vec2 s(entity.getSize());
            d.translationAndScale = glm::vec4((p.x / kWidth) * 2.0f - 1.0f, -2.0f * (p.y / kHeight) + 1.0f,
                                              (s.x / kWidth) * 2.0f, (s.y / kHeight) * 2.0f);
            overlays_.push_back(d);
        }
    }

    BareDraw common(const ovra::Shader& shader, size_t index, const char* placement) {
        const GLuint program = shader.getProgramId();
        ovra::Material& material = *materials_[index];
        BareDraw d{};
        d.program = program;
        d.placement = glGetUniformLocation(program, placement);
        d.color = glGetUniformLocation(program, "u_color");
        d.hasColorTexture = glGetUniformLocation(program, "u_hasColorTexture");
        d.colorTexture = glGetUniformLocation(program, "u_colorTexture");
        d.useAlphaMask = glGetUniformLocation(program, "u_useAlphaMask");
        const ovra::Color& c = material.getProperties().diffuseColor;
        d.diffuse = glm::vec3(c.red, c.green, c.blue);
        d.texture = textureOf(index);
        d.vao = meshes_[index]->getSubMeshes().front()->VAO_ID;
        d.indices = static_cast<GLsizei>(meshes_[index]->getSubMeshes().front()->numberIndices);
        return d;
    }

    // Sprites and the two image overlays have a texture each, in creation order; the life bar none.
    GLuint textureOf(size_t materialIndex) const {
        const size_t lifeBar = kSprites + 1;
        if (materialIndex == lifeBar) {
            return 0;
        }
        const size_t textureIndex = materialIndex < lifeBar ? materialIndex : materialIndex - 1;
        return textures_[textureIndex]->getTextureID();
    }

    ovra::sdl2::SDL2Container container_;
    bool ready_ = false;
    FakeInput input_;
    ovra::Renderer renderer_;
    std::unique_ptr<ovra::Shader> shader3D_;
    std::unique_ptr<ovra::Shader> shader2D_;
    std::vector<std::unique_ptr<ovra::Texture>> textures_;
    std::vector<std::unique_ptr<ovra::Material>> materials_;
    std::vector<std::unique_ptr<ovra::PlaneMesh>> meshes_;
    std::unique_ptr<SceneLevel> level_;
    std::vector<BareDraw> sprites_;
    std::vector<BareDraw> overlays_;
};

// One window and scene for the three benchmarks: windows are slow to make and remake.
// The last benchmark releases it, so the GL objects go while their context still exists.
std::unique_ptr<RendererScene>& sharedScene() {
    static std::unique_ptr<RendererScene> scene;
    return scene;
}

RendererScene* prepare(benchmark::State& state) {
    if (!sharedScene()) {
        sharedScene() = std::make_unique<RendererScene>();
    }
    RendererScene& scene = *sharedScene();
    if (!scene.ready()) {
        state.SkipWithError("no window or GL context: run under a display (Xvfb)");
        return nullptr;
    }
    if (!scene.framesMatch()) {
        state.SkipWithError("the bare loop does not draw the renderer's picture");
        return nullptr;
    }
    return &scene;
}

void BM_RendererFrame(benchmark::State& state) {
    RendererScene* scene = prepare(state);
    if (scene == nullptr) {
        return;
    }
    for (auto _ : state) {
        scene->engineFrame();
    }
}
BENCHMARK(BM_RendererFrame)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_BareGLFrame(benchmark::State& state) {
    RendererScene* scene = prepare(state);
    if (scene == nullptr) {
        return;
    }
    for (auto _ : state) {
        scene->bareFrame();
    }
}
BENCHMARK(BM_BareGLFrame)->Unit(benchmark::kMillisecond)->Iterations(200);

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Both frames in each iteration, in alternating order, so drift in the machine's speed
// weighs on both alike; the ratio of the medians is the figure that counts.
void BM_RendererVsBareFrame(benchmark::State& state) {
    RendererScene* scene = prepare(state);
    if (scene == nullptr) {
        sharedScene().reset();
        return;
    }
    using Clock = std::chrono::steady_clock;
    std::vector<double> engine;
    std::vector<double> bare;
    bool engineFirst = true;
    for (auto _ : state) {
        for (int half = 0; half < 2; ++half) {
            const bool runEngine = (half == 0) == engineFirst;
            const auto start = Clock::now();
            if (runEngine) {
                scene->engineFrame();
            } else {
                scene->bareFrame();
            }
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            (runEngine ? engine : bare).push_back(ms);
        }
        engineFirst = !engineFirst;
    }
    sharedScene().reset();
    const double engineMs = median(engine);
    const double bareMs = median(bare);
    const double ratio = engineMs / bareMs;
    state.counters["engine_ms"] = engineMs;
    state.counters["bare_ms"] = bareMs;
    state.counters["ratio"] = ratio;
    std::printf(
        "renderer frame %.3f ms, bare GL frame %.3f ms (medians of %zu frames each), ratio %.3f (goal: at most %.2f; "
        "%s)\n",
        engineMs, bareMs, engine.size(), ratio, kFrameGoal, againstGoal(ratio, kFrameGoal));
}
BENCHMARK(BM_RendererVsBareFrame)->Unit(benchmark::kMillisecond)->Iterations(300);

}  // namespace
