#include "CapturedStdout.hpp"
#include "Fakes.hpp"
#include "GLTestEnvironment.hpp"
#include "GameWorkingDirectory.hpp"

#include "LevelLab.hpp"
#include "model/Environment.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/Time.hpp"
#include "Ovra3D/common.hpp"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr float kArenaHalfSize = 10.1f;
// How long the game goes on after the cat's fall before Escape, to see that nothing moves.
constexpr int kFramesAfterTheEnd = 20;

// The frames the test runs; OVRA_SOAK_FRAMES in the environment asks for more (or fewer).
int framesToRun() {
    const char* asked = std::getenv("OVRA_SOAK_FRAMES");
    return asked != nullptr ? std::atoi(asked) : OVRA_SOAK_FRAMES;
}

// Bytes the process holds: the allocator's bytes in use where the allocator is glibc's, the
// resident set under AddressSanitizer, whose own allocator glibc does not see.
#if defined(__SANITIZE_ADDRESS__)
const char* const kMemoryMeasure = "resident set";
#else
const char* const kMemoryMeasure = "heap in use";
#endif

long memoryInUse() {
#if defined(__SANITIZE_ADDRESS__)
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * 4096;
#else
    return static_cast<long>(mallinfo2().uordblks);
#endif
}

// A player that is never still for long: every few frames it picks other walking keys, a
// point of the window to turn to and whether to hold the button. It releases Escape when asked.
class RandomPlayer : public FakeInput {
public:
    RandomPlayer(uint32_t seed, int width, int height) : random_(seed), width_(width), height_(height) {}

    void handle() override {
        FakeInput::handle();
        // The real window gets no events worth reading; drain them so none pile up.
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        up.clear();
        if (quitting_) {
            up.insert(k_ESCAPE);
        }
        if (chance(0.15)) {
            changeMind();
        }
    }

    // Escape is released at the next poll; a new game starts with nothing held.
    void quit() { quitting_ = true; }
    void reset() {
        quitting_ = false;
        down.clear();
        up.clear();
    }

private:
    bool chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < p; }

    void changeMind() {
        down.clear();
        for (KEY key : {k_W, k_A, k_S, k_D}) {
            if (chance(0.3)) {
                down.insert(key);
            }
        }
        if (chance(0.5)) {
            down.insert(k_MOUSE_LEFT);
        }
        mouseX = std::uniform_int_distribution<int>(0, width_ - 1)(random_);
        mouseY = std::uniform_int_distribution<int>(0, height_ - 1)(random_);
    }

    std::mt19937 random_;
    int width_;
    int height_;
    bool quitting_ = false;
};

// Counts broken rules over the whole run and keeps the first sighting of each.
class Violations {
public:
    void note(const std::string& rule, const std::string& sighting) {
        if (counts_[rule]++ == 0) {
            first_[rule] = sighting;
        }
    }
    void expectNone() const {
        for (const auto& [rule, count] : counts_) {
            ADD_FAILURE() << rule << ": " << count << " times, first " << first_.at(rule);
        }
    }

private:
    std::map<std::string, int> counts_;
    std::map<std::string, std::string> first_;
};

std::string describe(const ovra::Node& node, const glm::vec3& position, int game, int frame) {
    return node.getName() + " at (" + std::to_string(position.x) + ", " + std::to_string(position.y) + ", " +
           std::to_string(position.z) + ") in game " + std::to_string(game) + ", frame " + std::to_string(frame);
}

bool isFinite(const glm::vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
bool isFinite(const glm::quat& q) {
    return std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z) && std::isfinite(q.w);
}

// The real level, checked after each of its frames against the rules that hold whatever the
// player does; it asks the player to quit once the game has run its course.
class WatchedLevel : public LevelLab {
public:
    WatchedLevel(int game, int frameBudget, RandomPlayer& player, CapturedStdout& out, Violations& violations)
        : game_(game), frameBudget_(frameBudget), player_(player), out_(out), violations_(violations) {}

    void update() override {
        LevelLab::update();
        ++frames_;
        Environment& world = environment();
        checkStatusLine(world);
        checkAgents(world);
        checkHealthAndEnd(world);
        if (frames_ >= frameBudget_ || (world.isGameOver() && frames_ - endFrame_ >= kFramesAfterTheEnd)) {
            player_.quit();
        }
    }

    int frames() const { return frames_; }
    bool ended() const { return endFrame_ >= 0; }

private:
    Environment& environment() { return static_cast<Environment&>(*getRootEntity().findChild("Environment", false)); }

    std::string when() const { return "game " + std::to_string(game_) + ", frame " + std::to_string(frames_); }

    // One status line a frame, saying what the world says.
    void checkStatusLine(const Environment& world) {
        const std::vector<std::string> lines = out_.linesStartingWith("Player life:");
        const std::string expected = "Player life:" + std::to_string(world.getPlayerHealth()) +
                                     "  Is gameover: " + (world.isGameOver() ? "yes" : "false");
        if (lines.size() != 1) {
            violations_.note("one status line a frame", std::to_string(lines.size()) + " lines in " + when());
        } else if (lines[0] != expected) {
            violations_.note("the status line tells the world's state", lines[0] + " in " + when());
        }
        out_.clear();
    }

    void checkAgents(const Environment& world) {
        for (const ovra::Node* node : world.getChildren()) {
            const std::string& name = node->getName();
            if (name != "Player" && name.rfind("Zombie", 0) != 0) {
                continue;
            }
            const ovra::Transform& transform = static_cast<const ovra::Entity*>(node)->getTransform();
            const glm::vec3& position = transform.getWorldPosition();
            if (!isFinite(position) || !isFinite(transform.getRotation())) {
                violations_.note("positions and rotations are finite", describe(*node, position, game_, frames_));
            }
            const bool inside = std::fabs(position.x) <= kArenaHalfSize && std::fabs(position.z) <= kArenaHalfSize;
            if (node->isEnabled(true) && !inside) {
                violations_.note("agents in play stay in the arena", describe(*node, position, game_, frames_));
            }
            if (ended() && !(position == frozen_[name])) {
                violations_.note("nothing moves after the end", describe(*node, position, game_, frames_));
            }
            frozen_[name] = position;
        }
    }

    void checkHealthAndEnd(const Environment& world) {
        const int health = world.getPlayerHealth();
        if (health > health_) {
            violations_.note("the cat's health only falls",
                             std::to_string(health_) + " then " + std::to_string(health) + " in " + when());
        }
        health_ = health;
        if (ended() && !world.isGameOver()) {
            violations_.note("the end is final", "playing again in " + when());
        }
        if (!ended() && world.isGameOver()) {
            endFrame_ = frames_;
            if (health > 0) {
                violations_.note("the game ends when the cat's health is used up",
                                 std::to_string(health) + " in " + when());
            }
        }
    }

    int game_;
    int frameBudget_;
    RandomPlayer& player_;
    CapturedStdout& out_;
    Violations& violations_;
    int frames_ = 0;
    int endFrame_ = -1;
    int health_ = 100;
    std::map<std::string, glm::vec3> frozen_;
};

struct GameResult {
    int frames;
    bool ended;
};

}  // namespace

// Game after game of the real level, each one new, played through the real loop with random
// input and frames of 1/10, 1/30 or 1/60 s on a small window that presents every frame.
TEST(Soak, GamesOfTheRealLevelKeepTheRulesEveryFrameAndTheMemoryFlat) {
    GameWorkingDirectory directory;
    ASSERT_TRUE(directory.ready());
    ovra::GLContainer& window = GLTestEnvironment::container();
    FakeClock clock;
    GETAPP().setClock(&clock);
    RandomPlayer player(20261210u, window.getWidth(), window.getHeight());
    std::mt19937 random(7u);
    Violations violations;

    const int target = framesToRun();
    std::vector<GameResult> games;
    std::vector<long> memoryAfterGame;
    int frames = 0;
    while (frames < target) {
        const uint16_t rates[] = {10, 30, 60};
        ovra::Time::fps = rates[std::uniform_int_distribution<int>(0, 2)(random)];
        // Long enough for most games to end with the cat's fall; the others end with Escape.
        const int budget = std::uniform_int_distribution<int>(100, 20 * ovra::Time::fps)(random) + 10 * ovra::Time::fps;
        player.reset();
        {
            CapturedStdout out;
            WatchedLevel level(static_cast<int>(games.size()), budget, player, out, violations);
            level.initialize();
            ASSERT_TRUE(level.isReady());
            ASSERT_EQ(out.text(), "") << "the level builds without a word";
            GETAPP().run(window, player, level);
            games.push_back(GameResult{level.frames(), level.ended()});
            frames += level.frames();
        }
        // The driver lets go of a deleted texture only once no recent frame uses it: draw a
        // few empty frames before measuring, or the count would vary with the zombies last drawn.
        player.reset();
        FakeLevel empty;
        runFrames(window, player, empty, 3);
        glFinish();
        memoryAfterGame.push_back(memoryInUse());
    }
    GETAPP().setClock(nullptr);
    ovra::Time::fps = 60;
    violations.expectNone();

    int ended = 0;
    for (const GameResult& game : games) {
        ended += game.ended ? 1 : 0;
    }
    // The first games fill the allocator's and the driver's caches; growth is measured after
    // them. The median change from one game to the next is blind to the rare step of a cache
    // or a vector doubling, and shows any loss that comes back every game.
    const std::size_t warmUp = 3;
    ASSERT_GT(memoryAfterGame.size(), warmUp + 2) << "too few games to measure the memory";
    std::vector<long> changes;
    for (std::size_t i = warmUp + 1; i < memoryAfterGame.size(); ++i) {
        changes.push_back(memoryAfterGame[i] - memoryAfterGame[i - 1]);
    }
    std::nth_element(changes.begin(), changes.begin() + changes.size() / 2, changes.end());
    const long medianChange = changes[changes.size() / 2];
    const long growth = memoryAfterGame.back() - memoryAfterGame[warmUp];
    std::cout << "soak: " << frames << " frames, " << games.size() << " games (" << ended
              << " ended by the cat's fall); " << kMemoryMeasure << " after game " << warmUp + 1 << ": "
              << memoryAfterGame[warmUp] << " bytes, after the last: " << memoryAfterGame.back() << " bytes ("
              << growth / static_cast<long>(changes.size())
              << " bytes a game on average), median change from one game to the next: " << medianChange << " bytes"
              << std::endl;
    RecordProperty("frames", frames);
    RecordProperty("games", static_cast<int>(games.size()));
    RecordProperty("median_memory_change_per_game", static_cast<int>(medianChange));

    EXPECT_GT(ended, 0) << "no game ran until the cat fell";
#if !defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(medianChange, 1024) << "the heap grows from game to game";
#else
    // The sanitizer's allocator keeps freed blocks in quarantine, so its resident set is no
    // measure of a leak; LeakSanitizer looks for those at exit instead.
    std::cout << "soak: memory growth check skipped under AddressSanitizer" << std::endl;
#endif
}
