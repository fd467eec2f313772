#include "Ovra3D/Application.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Entity.hpp"
#include "Ovra3D/Input.hpp"
#include "Ovra3D/Level.hpp"
#include "Ovra3D/SDL2/SDL2Container.hpp"
#include "model/Agent.hpp"
#include "model/PlayerBehaviour.hpp"
#include "model/ZombieBehaviour.hpp"

#include "Fakes.hpp"
#include "GameCamera.hpp"
#include "StandInAgent.hpp"
#include "WindowSetup.hpp"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int kZombies = 100;

// The cat near the middle and a full pool of zombies spread over the arena at height 0.1,
// some of them already within reach.
struct Arena {
    Arena() : zombieBehaviours(kZombies) {
        cats.push_back(std::make_shared<StandInAgent>(glm::vec3(1.5f, 0.0f, -2.0f)));
        for (int i = 0; i < kZombies; ++i) {
            const float x = static_cast<float>(i % 21 - 10);
            const float z = static_cast<float>((i * 7) % 21 - 10);
            zombies.push_back(std::make_shared<StandInAgent>(glm::vec3(x, 0.1f, z)));
        }
    }

    // Calls the behaviours themselves; the shared-pointer copies of getBehavior() are the caller's cost.
    void updateZombies() {
        for (size_t i = 0; i < zombies.size(); ++i) {
            zombieBehaviours[i].update(*zombies[i], zombies[i]->getEntity()->getTransform(), zombies, cats);
            benchmark::DoNotOptimize(zombieBehaviours[i].getMotion());
        }
    }

    void updatePlayer() {
        playerBehaviour.update(*cats.front(), cats.front()->getEntity()->getTransform(), cats, zombies);
        benchmark::DoNotOptimize(playerBehaviour.getMotion());
    }

    AgentList cats;
    AgentList zombies;
    PlayerBehaviour playerBehaviour;
    std::vector<ZombieBehaviour> zombieBehaviours;
};

// Seconds per benchmark iteration, printed with an SI prefix (e.g. "3.2u" for 3.2 microseconds).
benchmark::Counter timePerIteration(const benchmark::State& state) {
    return benchmark::Counter(static_cast<double>(state.iterations()),
                              benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_HundredZombieUpdates(benchmark::State& state) {
    Arena arena;
    for (auto _ : state) {
        arena.updateZombies();
    }
    state.counters["per_100_zombie_updates"] = timePerIteration(state);
}
BENCHMARK(BM_HundredZombieUpdates)->Unit(benchmark::kMicrosecond);

// A level with the game's camera that runs the whole measurement inside its second update,
// once the camera's view has been refreshed, with the application bound as in play.
class BenchLevel : public ovra::Level {
public:
    explicit BenchLevel(benchmark::State& state) : state_(state) {}

    void initialize() override { camera_ = &addGameCamera(rootEntity_); }

    void update() override {
        ovra::Level::update();
        if (++updates_ < 2) {
            return;
        }
        for (auto _ : state_) {
            arena_.updatePlayer();
            arena_.updateZombies();
        }
        GETAPP().exit();
    }

private:
    benchmark::State& state_;
    Arena arena_;
    int updates_ = 0;
};

// One real window for the whole process: the loop draws each frame through GL.
ovra::sdl2::SDL2Container* window() {
    static std::unique_ptr<ovra::sdl2::SDL2Container> container;
    static bool tried = false;
    if (!tried) {
        tried = true;
        container = workshop::openWindow(workshop::windowParam("Brimwold bench", 1280, 720));
    }
    return container.get();
}

void BM_FrameOfBehaviours(benchmark::State& state) {
    ovra::sdl2::SDL2Container* container = window();
    if (container == nullptr) {
        state.SkipWithError("no window or GL context: run under a display (Xvfb)");
        return;
    }
    // Held keys and a pointer away from the cat: the player's usual work.
    FakeInput input;
    input.down = {ovra::Input::k_W, ovra::Input::k_D, ovra::Input::k_MOUSE_LEFT};
    input.mouseX = 900;
    input.mouseY = 200;
    BenchLevel level(state);
    level.initialize();
    runUnpaced(*container, input, level);
    state.counters["per_frame"] = timePerIteration(state);
}
BENCHMARK(BM_FrameOfBehaviours)->Unit(benchmark::kMicrosecond);

}  // namespace
