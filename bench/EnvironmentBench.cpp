#include "model/Environment.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Input.hpp"
#include "Ovra3D/Level.hpp"
#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/SDL2/SDL2Container.hpp"
#include "Ovra3D/Time.hpp"

#include "Fakes.hpp"
#include "GameCamera.hpp"
#include "RepoPaths.hpp"
#include "WindowSetup.hpp"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

const int kZombieCount = 100;
// Zombies walk 2 units per second: after this many frames of 1/60 s they are put back,
// so that none ever comes within striking reach and the game never ends.
const int kFramesPerRound = 100;

// The game's camera and world; its first update runs the measured frames inside the
// application loop, where input and camera are bound, then ends the loop.
class BenchLevel : public ovra::Level {
public:
    explicit BenchLevel(benchmark::State& state) : state_(state) {}

    void initialize() override {
        camera_ = &addGameCamera(rootEntity_);
        camera_->updateView();
        environment_ = new Environment();
        rootEntity_.attach(*environment_);
        for (int i = 0; i < kZombieCount; ++i) {
            zombies_.push_back(
                static_cast<ovra::Entity*>(environment_->findChild("Zombie" + std::to_string(i), false)));
        }
    }

    void update() override {
        // One tree update first, so the world's nodes count as enabled in the level.
        ovra::Level::update();
        bringAllIntoPlay();
        ovra::Time::deltaTime = 1.0f / 60.0f;
        int frame = 0;
        for (auto _ : state_) {
            environment_->update();
            if (++frame % kFramesPerRound == 0) {
                state_.PauseTiming();
                bringAllIntoPlay();
                state_.ResumeTiming();
            }
        }
        state_.counters["zombies_in_play"] = static_cast<double>(countInPlay());
        state_.counters["player_health"] = static_cast<double>(environment_->getPlayerHealth());
        ovra::Application::get().exit();
    }

private:
    // On a half circle of radius 8 on the +z side of the cat, away from the aim.
    void bringAllIntoPlay() {
        for (int i = 0; i < kZombieCount; ++i) {
            const float angle = 3.1415927f * static_cast<float>(i) / (kZombieCount - 1);
            ovra::Transform& transform = zombies_[i]->getTransform();
            transform.setPosition(8.0f * std::cos(angle), 0.1f, 8.0f * std::sin(angle));
            transform.applyUpdates();
            zombies_[i]->enable(true);
        }
    }

    int countInPlay() const {
        int inPlay = 0;
        for (const ovra::Entity* zombie : zombies_) {
            inPlay += zombie->isEnabled(true) ? 1 : 0;
        }
        return inPlay;
    }

    benchmark::State& state_;
    Environment* environment_ = nullptr;
    std::vector<ovra::Entity*> zombies_;
};

void BM_EnvironmentUpdateAllZombiesInPlay(benchmark::State& state) {
    ovra::sdl2::SDL2Container container;
    if (!container.initialize(workshop::windowParam("Brimwold bench", 1280, 720))) {
        state.SkipWithError("no window or GL context: run under a display (Xvfb)");
        return;
    }
    ovra::ObjectManager::setRessourcesPath(repoRessources());
    if (ovra::ObjectManager::createShader("simple_shader", false) == nullptr) {
        state.SkipWithError("simple_shader not found in the repository's resources");
        return;
    }
    {
        // The left button held, the pointer towards -z from the cat, where no zombie stands:
        // every frame runs the whole target search without landing a blow.
        FakeInput input;
        input.down = {ovra::Input::k_MOUSE_LEFT};
        input.mouseX = 640;
        input.mouseY = 100;
        BenchLevel level(state);
        level.initialize();
        runUnpaced(container, input, level);
    }
    workshop::releaseBeforeWindow();
}
BENCHMARK(BM_EnvironmentUpdateAllZombiesInPlay)->Iterations(20000)->Unit(benchmark::kMicrosecond);

}  // namespace
