#include "model/Environment.hpp"

#include "LineObject.hpp"
#include "WorldTestSupport.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/Time.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

using namespace worldtest;

namespace {

using Key = ovra::Input::KEY;

constexpr float kTol = 1e-4f;
constexpr float kStep60 = 10.0f * 0.016666f;  // the cat's step in a frame of 16666 microseconds
constexpr int kZombieCount = 100;

std::vector<std::string> blowLines(const CapturedStdout& out) { return out.linesStartingWith("health before: "); }

std::string blow(int before, int after) {
    return "health before: " + std::to_string(before) + "   after: " + std::to_string(after);
}

// The real environment under the game's camera, driven through the real main loop with
// fake input and a clock that makes every frame last exactly 1 / fps seconds.
class EnvironmentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(ressources_.shader(), nullptr);
        camera_ = &useGameCamera(level_);
        GETAPP().setClock(&clock_);
        buildWorld();
    }

    void TearDown() override {
        GETAPP().setClock(nullptr);
        ovra::Time::fps = 60;
        // Some cases seed the generator: leave it as an unseeded program starts it.
        std::srand(1);
    }

    // A fresh world: every weapon ready, every zombie out of play, the spawn timer at 0.
    void buildWorld() {
        delete environment_;
        environment_ = new Environment();
        level_.getRootEntity().attach(*environment_);
    }

    // Runs `frames` frames of 1 / fps seconds; `afterFrame(n)` sees the world after frame n.
    void run(int frames, uint16_t fps, const std::function<void(int)>& afterFrame = nullptr) {
        ovra::Time::fps = fps;
        int frame = 0;
        level_.onUpdate = [&](FakeLevel&) {
            ++frame;
            if (afterFrame) {
                afterFrame(frame);
            }
        };
        runFrames(container_, input_, level_, frames);
        level_.onUpdate = nullptr;
    }

    // Runs `frames` frames whose work each takes `microseconds` on the clock, without pacing:
    // the run's first frame measures no time, every later one exactly that long.
    void runTimed(int frames, int64_t microseconds, const std::function<void(int)>& afterFrame) {
        run(frames, 0, [&](int frame) {
            clock_.now += microseconds;
            afterFrame(frame);
        });
    }

    // One frame with nothing held, which also lets a fresh world's nodes learn that they are
    // in the level's tree; answers the point of the ground plane under window pixel (x, y).
    glm::vec3 settleAndPick(int x, int y) {
        input_.down.clear();
        glm::vec3 picked(0.0f);
        run(1, 60, [&](int) {
            picked = camera_->screenToWorldToPlanePosition(static_cast<unsigned>(x), static_cast<unsigned>(y),
                                                           glm::vec3(0.0f, 0.1f, 0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
        });
        return picked;
    }

    ovra::Entity& child(const std::string& name) {
        ovra::Node* node = environment_->findChild(name, false);
        EXPECT_NE(node, nullptr) << name;
        return *static_cast<ovra::Entity*>(node);
    }
    ovra::Entity& player() { return child("Player"); }
    ovra::Entity& zombie(int index) { return child("Zombie" + std::to_string(index)); }
    LineObject& line() { return static_cast<LineObject&>(child("line")); }

    static glm::vec3 positionOf(ovra::Entity& entity) { return entity.getTransform().getWorldPosition(); }
    static void place(ovra::Entity& entity, const glm::vec3& position) {
        entity.getTransform().setPosition(position);
        entity.getTransform().applyUpdates();
    }
    void bringIntoPlay(int index, const glm::vec3& position) {
        place(zombie(index), position);
        zombie(index).enable(true);
    }
    std::vector<int> zombiesInPlay() {
        std::vector<int> inPlay;
        for (int i = 0; i < kZombieCount; ++i) {
            if (zombie(i).isEnabled(false)) {
                inPlay.push_back(i);
            }
        }
        return inPlay;
    }

    void aimAt(const glm::vec3& world) {
        const glm::ivec2 pixel = pixelOf(*camera_, world);
        input_.mouseX = pixel.x;
        input_.mouseY = pixel.y;
    }

    RepoRessources ressources_;
    FakeContainer container_{kWindowWidth, kWindowHeight};
    FakeInput input_;
    FakeClock clock_;
    FakeLevel level_;
    ovra::Camera* camera_ = nullptr;
    Environment* environment_ = nullptr;
};

// A spawn point as the rules draw it: the border first, then the place along it.
glm::vec3 drawSpawnPoint(int& border) {
    border = std::rand() % 4;
    const auto place = static_cast<float>(std::rand() % 21 - 10);
    const glm::vec3 points[] = {
        {-10.0f, 0.1f, place}, {place, 0.1f, -10.0f}, {10.0f, 0.1f, place}, {place, 0.1f, 10.0f}};
    return points[border];
}

TEST_F(EnvironmentTest, IsBuiltWithThePlayerAHundredZombiesOutOfPlayAndTheLineInThatOrder) {
    ASSERT_EQ(environment_->countChildren(), 102u);
    EXPECT_EQ(environment_->getName(), "Environment");
    EXPECT_EQ(environment_->getChild(0)->getName(), "Player");
    for (unsigned i = 0; i < 100; ++i) {
        EXPECT_EQ(environment_->getChild(i + 1)->getName(), "Zombie" + std::to_string(i));
        EXPECT_FALSE(environment_->getChild(i + 1)->isEnabled(false));
    }
    EXPECT_EQ(environment_->getChild(101)->getName(), "line");
    EXPECT_EQ(environment_->getPlayerHealth(), 100);
    EXPECT_FALSE(environment_->isGameOver());
    EXPECT_TRUE(near(line().getTransform().getScale(), glm::vec3(1.0f), 0.0f));
    EXPECT_TRUE(near(line().getTransform().getPosition(), glm::vec3(0.0f), 0.0f));
}

// Every second one zombie enters on a whole-number point of a floor edge; until the timer
// reaches 1.0 none does. A zombie out of play is used again before the next one of the pool.
TEST_F(EnvironmentTest, SpawnsOneZombiePerSecondAtAWholeEdgePointDrawnBorderFirst) {
    const unsigned seed = 20261210;
    std::srand(seed);
    std::vector<glm::vec3> expected;
    std::set<int> borders;
    for (int i = 0; i < 12; ++i) {
        int border = 0;
        expected.push_back(drawSpawnPoint(border));
        borders.insert(border);
    }
    ASSERT_EQ(borders.size(), 4u) << "the seed should reach all four borders";
    std::srand(seed);

    // Frames of 1/16 s: the timer reaches exactly 1.0 at every 16th frame.
    run(16 * 12, 16, [&](int frame) {
        const std::vector<int> inPlay = zombiesInPlay();
        if (frame % 16 != 0) {
            EXPECT_TRUE(inPlay.empty()) << "frame " << frame;
            return;
        }
        ASSERT_EQ(inPlay, std::vector<int>{0}) << "frame " << frame;
        // Brought in at the drawn point, it has already taken its first step (1/8 unit) towards the cat.
        const glm::vec3 spawn = expected[frame / 16 - 1];
        const glm::vec3 now = positionOf(zombie(0));
        EXPECT_NEAR(glm::length(now - spawn), 0.125f, 1e-3f) << "frame " << frame;
        EXPECT_LT(glm::length(now), glm::length(spawn)) << "frame " << frame;
        // Taken out of play again, so the next second reuses it.
        zombie(0).enable(false);
    });
}

TEST_F(EnvironmentTest, NextSpawnTakesTheNextZombieOrReusesADeadOneWithFullHealth) {
    run(32, 16);
    EXPECT_EQ(zombiesInPlay(), (std::vector<int>{0, 1}));

    // Kill Zombie0 with two blows half a second apart, well away from Zombie1.
    bringIntoPlay(0, glm::vec3(5.0f, 0.1f, 0.0f));
    bringIntoPlay(1, glm::vec3(-5.0f, 0.1f, 0.0f));
    aimAt(glm::vec3(4.5f, 0.1f, 0.0f));
    input_.down = {ovra::Input::k_MOUSE_LEFT};
    CapturedStdout out;
    run(9, 16);
    EXPECT_EQ(blowLines(out), (std::vector<std::string>{blow(100, 50), blow(50, 0)}));
    EXPECT_EQ(zombiesInPlay(), std::vector<int>{1});

    // The third second's spawn (frame 48) brings Zombie0 back instead of Zombie2.
    input_.down.clear();
    run(6, 16);
    EXPECT_EQ(zombiesInPlay(), std::vector<int>{1});
    run(1, 16);
    EXPECT_EQ(zombiesInPlay(), (std::vector<int>{0, 1}));

    out.clear();
    bringIntoPlay(0, glm::vec3(5.0f, 0.1f, 0.0f));
    aimAt(glm::vec3(5.0f, 0.1f, 0.0f));
    input_.down = {ovra::Input::k_MOUSE_LEFT};
    run(1, 16);
    EXPECT_EQ(blowLines(out), std::vector<std::string>{blow(100, 50)});
}

TEST_F(EnvironmentTest, WithAllZombiesInPlayASecondPassesWithoutSpawnAndTheTimerStillRestarts) {
    settleAndPick(640, 360);
    for (int i = 0; i < kZombieCount; ++i) {
        const float angle = 6.2831853f * static_cast<float>(i) / kZombieCount;
        bringIntoPlay(i, glm::vec3(9.0f * std::cos(angle), 0.1f, 9.0f * std::sin(angle)));
    }
    run(16, 16);
    EXPECT_EQ(zombiesInPlay().size(), 100u);

    const glm::vec3 freedAt(9.0f * std::cos(6.2831853f * 0.42f), 0.1f, 9.0f * std::sin(6.2831853f * 0.42f));
    place(zombie(42), freedAt);
    zombie(42).enable(false);
    run(15, 16);
    EXPECT_FALSE(zombie(42).isEnabled(false)) << "the second without a free zombie restarted the timer";
    run(1, 16);
    ASSERT_TRUE(zombie(42).isEnabled(false));
    const glm::vec3 spawned = positionOf(zombie(42));
    EXPECT_GT(std::fmax(std::fabs(spawned.x), std::fabs(spawned.z)), 9.8f) << "brought in at an edge";
}

// The second is counted afresh after each spawn: what a frame brings beyond it is dropped.
TEST_F(EnvironmentTest, FramesOfThreeTenthsSpawnAtTheFourthEighthAndTwelfthFrame) {
    std::vector<int> spawnFrames;
    std::size_t inPlay = 0;
    runTimed(1 + 13, 300000, [&](int frame) {
        const std::size_t now = zombiesInPlay().size();
        if (now != inPlay) {
            spawnFrames.push_back(frame - 1);  // counted among the frames of 0.3 s
        }
        inPlay = now;
    });
    EXPECT_EQ(spawnFrames, (std::vector<int>{4, 8, 12}));
    EXPECT_EQ(zombiesInPlay(), (std::vector<int>{0, 1, 2}));
}

// The generator is drawn only when a zombie enters: a second with the whole pool in play
// draws nothing, so the next spawn takes the next two numbers, and no more.
TEST_F(EnvironmentTest, SpawnPointsTakeTheNextTwoDrawsEvenAfterTheWholePoolWasInPlay) {
    const unsigned seed = 4242;
    std::srand(seed);
    const int border = std::rand() % 4;
    const auto place = static_cast<float>(std::rand() % 21 - 10);
    const int third = std::rand();
    const glm::vec3 points[] = {
        {-10.0f, 0.1f, place}, {place, 0.1f, -10.0f}, {10.0f, 0.1f, place}, {place, 0.1f, 10.0f}};
    const glm::vec3 expected = points[border];
    std::srand(seed);

    for (int i = 0; i < kZombieCount; ++i) {
        const float angle = 6.2831853f * static_cast<float>(i) / kZombieCount;
        bringIntoPlay(i, glm::vec3(9.0f * std::cos(angle), 0.1f, 9.0f * std::sin(angle)));
    }
    run(16, 16);
    ASSERT_EQ(zombiesInPlay().size(), 100u) << "nothing could spawn";
    zombie(42).enable(false);
    run(16, 16);

    ASSERT_TRUE(zombie(42).isEnabled(false));
    const glm::vec3 spawned = positionOf(zombie(42));
    EXPECT_NEAR(glm::length(spawned - expected), 0.125f, 1e-3f)
        << "one step of 1/16 s from the point drawn with the first two numbers";
    EXPECT_EQ(std::rand(), third) << "exactly two numbers drawn";
}

TEST_F(EnvironmentTest, EachAxisStepThatWouldLeaveTheArenaIsDroppedOnItsOwn) {
    struct Case {
        const char* name;
        glm::vec3 start;
        std::set<Key> keys;
        glm::vec2 expectedStep;  // x, z
    };
    const Case cases[] = {
        {"D at x = 10.05 does not move", {10.05f, 0.0f, 0.0f}, {ovra::Input::k_D}, {0.0f, 0.0f}},
        {"D and S at x = 10.05 slides along z",
         {10.05f, 0.0f, 0.0f},
         {ovra::Input::k_D, ovra::Input::k_S},
         {0.0f, kStep60}},
        {"A at x = -10.05 does not move", {-10.05f, 0.0f, 0.0f}, {ovra::Input::k_A}, {0.0f, 0.0f}},
        {"W and D at z = -10.05 slides along x",
         {0.0f, 0.0f, -10.05f},
         {ovra::Input::k_W, ovra::Input::k_D},
         {kStep60, 0.0f}},
        {"S at z = 10 is dropped, not shortened to the edge", {0.0f, 0.0f, 10.0f}, {ovra::Input::k_S}, {0.0f, 0.0f}},
        {"D at x = 9.9 ends inside and moves fully", {9.9f, 0.0f, 0.0f}, {ovra::Input::k_D}, {kStep60, 0.0f}},
        {"W and D at the centre move diagonally",
         {0.0f, 0.0f, 0.0f},
         {ovra::Input::k_W, ovra::Input::k_D},
         {kStep60, -kStep60}},
        {"A and D cancel", {0.0f, 0.0f, 0.0f}, {ovra::Input::k_A, ovra::Input::k_D}, {0.0f, 0.0f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        place(player(), c.start);
        input_.down = c.keys;
        run(1, 60);
        const glm::vec3 moved = positionOf(player()) - c.start;
        EXPECT_NEAR(moved.x, c.expectedStep.x, kTol);
        EXPECT_NEAR(moved.y, 0.0f, kTol);
        EXPECT_NEAR(moved.z, c.expectedStep.y, kTol);
    }
}

TEST_F(EnvironmentTest, HoldingWAndDMovesTheCatRootTwoTimesTenUnitsPerSecond) {
    input_.down = {ovra::Input::k_W, ovra::Input::k_D};
    run(16, 16);
    const glm::vec3 position = positionOf(player());
    EXPECT_TRUE(near(position, glm::vec3(10.0f, 0.0f, -10.0f), kTol));
    EXPECT_NEAR(glm::length(position), std::sqrt(2.0f) * 10.0f, kTol);
}

// The cat hits the nearest zombie in play whose centre lies less than 2 from the point of
// the aim ray as far from the cat as that zombie.
TEST_F(EnvironmentTest, TheShotHitsTheNearestZombieWithinTwoOfTheAimRay) {
    struct Spot {
        glm::vec3 offset;  // from the cat, the aim running along +x
        bool inPlay;
    };
    struct Case {
        const char* name;
        std::vector<Spot> zombies;
        int hit;  // index in the pool, or -1
    };
    const Case cases[] = {
        {"5 out, 1.9 from the ray's point", {{{4.639f, 0.0f, 1.86384f}, true}}, 0},
        {"5 out, 2.1 from the ray's point", {{{4.559f, 0.0f, 2.05324f}, true}}, -1},
        {"0.5 behind, 1.0 from the ray's point", {{{-0.5f, 0.0f, 0.0f}, true}}, 0},
        {"1.0 behind, exactly 2.0 from the ray's point", {{{-1.0f, 0.0f, 0.0f}, true}}, -1},
        {"1.5 behind, 3.0 from the ray's point", {{{-1.5f, 0.0f, 0.0f}, true}}, -1},
        {"on the ray at 6 and 3: the nearer", {{{6.0f, 0.0f, 0.0f}, true}, {{3.0f, 0.0f, 0.0f}, true}}, 1},
        {"the same distance: the earlier in the pool", {{{3.0f, 0.0f, 0.5f}, true}, {{3.0f, 0.0f, -0.5f}, true}}, 0},
        {"a nearer zombie out of play is ignored", {{{2.0f, 0.0f, 0.0f}, false}, {{4.0f, 0.0f, 0.0f}, true}}, 1},
    };
    const glm::ivec2 pointer(1120, 360);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        buildWorld();
        // The cat stands 16 units short of the pointer's point, at its height: the aim is
        // exactly +x, so distances along it are exact.
        const glm::vec3 cursor = settleAndPick(pointer.x, pointer.y);
        const glm::vec3 cat = cursor - glm::vec3(16.0f, 0.0f, 0.0f);
        place(player(), cat);
        for (std::size_t i = 0; i < c.zombies.size(); ++i) {
            place(zombie(static_cast<int>(i)), cat + c.zombies[i].offset);
            zombie(static_cast<int>(i)).enable(c.zombies[i].inPlay);
        }
        input_.mouseX = pointer.x;
        input_.mouseY = pointer.y;
        input_.down = {ovra::Input::k_MOUSE_LEFT};

        CapturedStdout out;
        run(1, 60);

        const std::vector<std::string> lines = blowLines(out);
        const int catBlows = static_cast<int>(std::count(lines.begin(), lines.end(), blow(100, 50)));
        if (c.hit < 0) {
            EXPECT_EQ(catBlows, 0);
            EXPECT_TRUE(near(line().getTransform().getScale(), glm::vec3(1.0f), 0.0f));
            EXPECT_TRUE(near(line().getTransform().getPosition(), glm::vec3(0.0f), 0.0f));
            continue;
        }
        EXPECT_EQ(catBlows, 1);
        const glm::vec3 offset = c.zombies[static_cast<std::size_t>(c.hit)].offset;
        EXPECT_TRUE(near(line().getTransform().getScale(), glm::vec3(glm::length(offset)), kTol));
        EXPECT_TRUE(near(line().getTransform().getPosition(), cat + offset * 0.5f, kTol));
        EXPECT_TRUE(zombie(c.hit).isEnabled(false)) << "one blow does not kill";
        for (std::size_t i = 0; i < c.zombies.size(); ++i) {
            if (!c.zombies[i].inPlay) {
                EXPECT_TRUE(near(positionOf(zombie(static_cast<int>(i))), cat + c.zombies[i].offset, 0.0f))
                    << "a zombie out of play does not move";
            }
        }
    }
}

TEST_F(EnvironmentTest, HoldingTheButtonStrikesAtOnceThenEveryHalfSecondAndTheSecondBlowKills) {
    settleAndPick(640, 360);
    bringIntoPlay(0, glm::vec3(5.0f, 0.1f, 0.0f));
    aimAt(glm::vec3(5.0f, 0.1f, 0.0f));
    input_.down = {ovra::Input::k_MOUSE_LEFT};

    CapturedStdout out;
    std::vector<std::vector<std::string>> blowsAfterFrame;
    glm::vec3 zombieWhenKilled(0.0f);
    run(3, 4, [&](int frame) {
        blowsAfterFrame.push_back(blowLines(out));
        if (frame == 2) {
            zombieWhenKilled = positionOf(zombie(0));
        }
    });

    EXPECT_EQ(blowsAfterFrame[0], std::vector<std::string>{blow(100, 50)});
    EXPECT_EQ(blowsAfterFrame[1], std::vector<std::string>{blow(100, 50)}) << "the weapon waits half a second";
    EXPECT_EQ(blowsAfterFrame[2], (std::vector<std::string>{blow(100, 50), blow(50, 0)}));
    EXPECT_FALSE(zombie(0).isEnabled(false));

    // The line runs from the cat to where the zombie stood when it fell.
    const glm::vec3 cat = positionOf(player());
    EXPECT_TRUE(near(cat, glm::vec3(0.0f), kTol));
    EXPECT_TRUE(near(positionOf(zombie(0)), zombieWhenKilled, kTol)) << "a fallen zombie stays where it fell";
    EXPECT_LT(zombieWhenKilled.x, 5.0f) << "it walked towards the cat meanwhile";
    EXPECT_TRUE(near(line().getTransform().getScale(), glm::vec3(glm::length(zombieWhenKilled - cat)), kTol));
    EXPECT_TRUE(near(line().getTransform().getPosition(), (cat + zombieWhenKilled) * 0.5f, kTol));
}

TEST_F(EnvironmentTest, AimingAtNothingLeavesTheWeaponReadyAndTheLineInPlace) {
    settleAndPick(640, 360);
    bringIntoPlay(0, glm::vec3(5.0f, 0.1f, 0.0f));
    input_.down = {ovra::Input::k_MOUSE_LEFT};
    CapturedStdout out;

    aimAt(glm::vec3(-5.0f, 0.1f, 0.0f));
    run(1, 4);
    EXPECT_TRUE(blowLines(out).empty());
    EXPECT_TRUE(near(line().getTransform().getScale(), glm::vec3(1.0f), 0.0f));

    aimAt(positionOf(zombie(0)));
    run(1, 4);
    EXPECT_EQ(blowLines(out), std::vector<std::string>{blow(100, 50)});
}

TEST_F(EnvironmentTest, ASpawnedZombieCanBeShotInItsFirstFrame) {
    std::srand(7);
    int border = 0;
    const glm::vec3 spawn = drawSpawnPoint(border);
    std::srand(7);
    run(15, 16);
    ASSERT_TRUE(zombiesInPlay().empty());

    aimAt(spawn);
    input_.down = {ovra::Input::k_MOUSE_LEFT};
    CapturedStdout out;
    run(1, 16);
    EXPECT_EQ(blowLines(out), std::vector<std::string>{blow(100, 50)});
    EXPECT_TRUE(near(line().getTransform().getPosition(), spawn * 0.5f, kTol));
}

TEST_F(EnvironmentTest, AZombieStrikesTheCatFromTwoUnitsOrCloser) {
    struct Case {
        const char* name;
        std::vector<glm::vec3> zombies;
        std::vector<std::string> blows;
        int health;
    };
    const Case cases[] = {
        {"exactly 2.0 away", {{0.0f, 0.0f, 2.0f}}, {blow(100, 90)}, 90},
        {"2.01 away", {{0.0f, 0.0f, 2.01f}}, {}, 100},
        {"two in reach strike in the same frame",
         {{0.0f, 0.0f, 2.0f}, {-1.5f, 0.0f, 0.0f}},
         {blow(100, 90), blow(90, 80)},
         80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        buildWorld();
        settleAndPick(640, 360);
        for (std::size_t i = 0; i < c.zombies.size(); ++i) {
            bringIntoPlay(static_cast<int>(i), c.zombies[i]);
        }
        CapturedStdout out;
        run(1, 60);
        EXPECT_EQ(blowLines(out), c.blows);
        EXPECT_EQ(environment_->getPlayerHealth(), c.health);
        EXPECT_FALSE(environment_->isGameOver());
    }
}

// The behaviours' headings are absolute: each frame they replace whatever rotation the
// entities had, and are not added to it.
TEST_F(EnvironmentTest, EachFrameTheHeadingReplacesTheRotationOfTheCatAndOfEveryZombie) {
    settleAndPick(640, 360);
    bringIntoPlay(0, glm::vec3(5.0f, 0.1f, 0.0f));
    aimAt(glm::vec3(5.0f, 0.1f, 0.0f));
    const glm::vec3 up(0.0f, 1.0f, 0.0f);
    const glm::quat tilted = glm::angleAxis(0.7f, glm::vec3(1.0f, 0.0f, 0.0f)) * glm::angleAxis(2.0f, up);
    struct Turn {
        const char* agent;
        float heading;  // the pointer lies towards +x of the cat; the cat towards -x of the zombie
    };
    const Turn turns[] = {{"Player", 3.1415927f + 1.5707964f}, {"Zombie0", 1.5707964f}};

    for (const Turn& t : turns) {
        child(t.agent).getTransform().setRotation(tilted);
    }
    run(3, 60, [&](int frame) {
        for (const Turn& t : turns) {
            const glm::quat rotation = child(t.agent).getTransform().getRotation();
            const float alignment = std::fabs(glm::dot(rotation, glm::angleAxis(t.heading, up)));
            EXPECT_NEAR(alignment, 1.0f, 1e-4f) << t.agent << " after frame " << frame;
            // Turned away again: the next frame must still end on the heading alone.
            child(t.agent).getTransform().setRotation(tilted);
        }
    });
}

// A zombie's weapon counts the frame's time before it is asked for a blow, so the frame of
// a blow never counts towards the wait; while the zombie is out of play its weapon is left
// as it was, also when the spawn brings the zombie back.
TEST_F(EnvironmentTest, AZombieWeaponWaitsHalfASecondCountedBeforeEachBlowAndOnlyInPlay) {
    struct Case {
        const char* name;
        std::vector<uint16_t> frameRates;  // one frame of 1 / rate seconds each
        std::function<void(int frame)> afterFrame;
        std::vector<int> strikes;  // the frames in which the zombie strikes the cat
    };
    const std::vector<uint16_t> tenths(16, 10);
    std::vector<uint16_t> longThenTenths(8, 10);
    longThenTenths[0] = 2;
    const std::vector<uint16_t> eighths(14, 8);
    const Case cases[] = {
        {"frames of 0.1 s: at once, then every half second", tenths, nullptr, {1, 6, 11, 16}},
        {"a blow in a frame of 0.5 s: that frame does not count", longThenTenths, nullptr, {1, 6}},
        {"out of play from frame 3, brought back by the spawn of frame 8 and set next to the cat",
         eighths,
         [&](int frame) {
             if (frame == 2) {
                 zombie(0).enable(false);
             }
             if (frame == 8) {
                 ASSERT_TRUE(zombie(0).isEnabled(false)) << "the spawn reuses it";
                 place(zombie(0), glm::vec3(1.5f, 0.1f, 0.0f));
             }
         },
         {1, 10, 14}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        buildWorld();
        settleAndPick(640, 360);
        bringIntoPlay(0, glm::vec3(1.5f, 0.1f, 0.0f));
        CapturedStdout out;
        std::vector<int> strikes;
        std::size_t blows = 0;
        for (std::size_t i = 0; i < c.frameRates.size(); ++i) {
            const int frame = static_cast<int>(i) + 1;
            run(1, c.frameRates[i]);
            if (blowLines(out).size() != blows) {
                strikes.push_back(frame);
                blows = blowLines(out).size();
            }
            if (c.afterFrame) {
                c.afterFrame(frame);
            }
        }
        EXPECT_EQ(strikes, c.strikes);
        EXPECT_EQ(blows, c.strikes.size()) << "one blow at a time";
    }
}

TEST_F(EnvironmentTest, TheTenthZombieBlowEndsTheGameAndEverythingFreezes) {
    settleAndPick(640, 360);
    // Eleven zombies around the cat, all in reach: ten blows land, the eleventh is held back.
    const int count = 11;
    std::vector<glm::vec3> placed;
    for (int i = 0; i < count; ++i) {
        const float angle = 6.2831853f * static_cast<float>(i) / count;
        placed.emplace_back(1.5f * std::cos(angle), 0.1f, 1.5f * std::sin(angle));
        bringIntoPlay(i, placed.back());
    }
    CapturedStdout out;
    run(1, 60);

    std::vector<std::string> expected;
    for (int health = 100; health > 0; health -= 10) {
        expected.push_back(blow(health, health - 10));
    }
    EXPECT_EQ(blowLines(out), expected);
    EXPECT_TRUE(environment_->isGameOver());
    EXPECT_EQ(environment_->getPlayerHealth(), 0);
    EXPECT_GT(glm::length(positionOf(zombie(count - 1)) - placed.back()), 0.01f)
        << "the last zombie still takes its step in the fatal frame";

    // From now on nothing moves, strikes, shoots or spawns, whatever is held.
    std::vector<glm::vec3> frozen;
    for (int i = 0; i < count; ++i) {
        frozen.push_back(positionOf(zombie(i)));
    }
    const glm::vec3 cat = positionOf(player());
    input_.down = {ovra::Input::k_D, ovra::Input::k_MOUSE_LEFT};
    aimAt(frozen[0]);
    out.clear();
    run(32, 16);

    EXPECT_TRUE(blowLines(out).empty());
    EXPECT_TRUE(near(positionOf(player()), cat, 0.0f));
    for (int i = 0; i < count; ++i) {
        EXPECT_TRUE(near(positionOf(zombie(i)), frozen[i], 0.0f)) << "Zombie" << i;
    }
    EXPECT_EQ(zombiesInPlay().size(), static_cast<std::size_t>(count));
    EXPECT_TRUE(environment_->isGameOver());
    EXPECT_EQ(environment_->getPlayerHealth(), 0);
}

}  // namespace

// The cat's blows at frames 1 and 3 of a quarter second, the second felling its zombie;
// then, the button released, a zombie beside the cat strikes at once. Each frame tells only
// its own events; the result counts the felled zombie and the time of the frames.
TEST_F(EnvironmentTest, EachFrameTellsItsBlowsFellsAndHurtsAndTheResultCountsThem) {
    settleAndPick(640, 360);
    bringIntoPlay(0, glm::vec3(5.0f, 0.1f, 0.0f));
    aimAt(glm::vec3(5.0f, 0.1f, 0.0f));
    input_.down = {ovra::Input::k_MOUSE_LEFT};
    const Score before = environment_->getResult();

    struct Seen {
        int dealt, felled, hurt;
    };
    std::vector<Seen> seen;
    const auto record = [&](int) {
        const Environment::Events& events = environment_->getLastEvents();
        seen.push_back({events.blowsDealt, events.zombiesFelled, events.catHurt});
    };
    CapturedStdout out;
    run(4, 4, record);
    input_.down.clear();
    bringIntoPlay(1, glm::vec3(-1.5f, 0.1f, 0.0f));
    run(2, 4, record);

    const std::vector<Seen> expected = {{1, 0, 0}, {0, 0, 0}, {1, 1, 0}, {0, 0, 0}, {0, 0, 1}, {0, 0, 0}};
    ASSERT_EQ(seen.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(seen[i].dealt, expected[i].dealt) << "frame " << i + 1;
        EXPECT_EQ(seen[i].felled, expected[i].felled) << "frame " << i + 1;
        EXPECT_EQ(seen[i].hurt, expected[i].hurt) << "frame " << i + 1;
    }
    EXPECT_EQ(before.zombiesFelled, 0);
    EXPECT_EQ(environment_->getResult().zombiesFelled, 1);
    EXPECT_NEAR(environment_->getResult().millisecondsSurvived - before.millisecondsSurvived, 1500, 1);
}
