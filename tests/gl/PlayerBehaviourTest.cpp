#include "model/PlayerBehaviour.hpp"

#include "Fakes.hpp"
#include "GameCamera.hpp"
#include "Ovra3D/Application.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Entity.hpp"
#include "Ovra3D/Time.hpp"
#include "StandInAgent.hpp"
#include "model/Agent.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <set>
#include <string>

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kTol = 1e-3f;
using Key = ovra::Input::KEY;

// The game's arrangement: a camera 20 units up looking down, the cat on the floor,
// the behaviour driven from inside a real main loop with fake input.
class PlayerBehaviourTest : public ::testing::Test {
protected:
    void SetUp() override {
        ovra::Time::fps = 0;
        camera_ = &addGameCamera(level_.getRootEntity());
        level_.setCamera(camera_);
        cat_ = new ovra::Entity("cat");
        level_.getRootEntity().attach(*cat_);
    }
    void TearDown() override { ovra::Time::fps = 60; }

    // Runs `frames` frames; in each one after the first (whose queries would still see the
    // identity view) `beforeUpdate` runs and then the behaviour is updated.
    void run(int frames, const std::function<void(int frame)>& beforeUpdate = nullptr) {
        level_.onUpdate = [&](FakeLevel& level) {
            if (level.updates < 2) {
                return;
            }
            if (beforeUpdate) {
                beforeUpdate(level.updates);
            }
            behaviour_.update(agent_, cat_->getTransform(), {}, {});
        };
        runFrames(container_, input_, level_, frames);
    }

    void placeCat(const glm::vec3& position) {
        cat_->getTransform().setPosition(position);
        cat_->getTransform().applyUpdates();
    }

    FakeContainer container_{1280, 720};
    FakeInput input_;
    FakeLevel level_;
    ovra::Camera* camera_ = nullptr;
    ovra::Entity* cat_ = nullptr;
    StandInAgent agent_;
    PlayerBehaviour behaviour_;
};

struct KeyCase {
    const char* name;
    std::set<Key> keys;
    glm::vec2 direction;
    AgentBehavior::ACTION action;
};
// Failures name the case instead of dumping its bytes.
void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class PlayerKeys : public PlayerBehaviourTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(PlayerKeys, MoveAlongTheWorldAxesAndStrikeWhileTheButtonIsHeld) {
    const KeyCase& c = GetParam();
    input_.down = c.keys;
    // Pointer at the right edge, level with the cat: it faces +x whatever the keys.
    input_.mouseX = 1280;
    input_.mouseY = 360;
    run(2);
    const AgentBehavior::Motion& motion = behaviour_.getMotion();
    EXPECT_EQ(motion.direction, c.direction);
    EXPECT_FLOAT_EQ(motion.intensity, 1.0f);
    EXPECT_NEAR(motion.angle, kPi + kPi / 2, kTol);
    EXPECT_EQ(behaviour_.getAction(), c.action);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PlayerKeys,
    ::testing::Values(
        KeyCase{"NoKeyStandsButStillTurns", {}, {0, 0}, AgentBehavior::NONE},
        KeyCase{"WTowardsMinusZ", {Key::k_W}, {0, -1}, AgentBehavior::NONE},
        KeyCase{"STowardsPlusZ", {Key::k_S}, {0, 1}, AgentBehavior::NONE},
        KeyCase{"ATowardsMinusX", {Key::k_A}, {-1, 0}, AgentBehavior::NONE},
        KeyCase{"DTowardsPlusX", {Key::k_D}, {1, 0}, AgentBehavior::NONE},
        // Not normalised: the diagonal is faster.
        KeyCase{"WAndDDiagonal", {Key::k_W, Key::k_D}, {1, -1}, AgentBehavior::NONE},
        KeyCase{"WAndSCancel", {Key::k_W, Key::k_S}, {0, 0}, AgentBehavior::NONE},
        KeyCase{"AllFourCancel", {Key::k_W, Key::k_A, Key::k_S, Key::k_D}, {0, 0}, AgentBehavior::NONE},
        KeyCase{"LeftButtonAttacks", {Key::k_MOUSE_LEFT}, {0, 0}, AgentBehavior::ATTACK},
        KeyCase{"OtherButtonsDoNot", {Key::k_MOUSE_RIGHT, Key::k_MOUSE_MIDDLE}, {0, 0}, AgentBehavior::NONE},
        KeyCase{"MovingWhileAttacking", {Key::k_S, Key::k_A, Key::k_MOUSE_LEFT}, {-1, 1}, AgentBehavior::ATTACK}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

struct HeadingCase {
    const char* name;
    glm::vec3 cat;
    unsigned int mouseX;
    unsigned int mouseY;
    float angle;
};
// Failures name the case instead of dumping its bytes.
void PrintTo(const HeadingCase& c, std::ostream* os) { *os << c.name; }

class PlayerHeading : public PlayerBehaviourTest, public ::testing::WithParamInterface<HeadingCase> {};

TEST_P(PlayerHeading, FacesTheFloorPointUnderThePointer) {
    const HeadingCase& c = GetParam();
    cat_->getTransform().setPosition(c.cat);
    input_.mouseX = static_cast<int>(c.mouseX);
    input_.mouseY = static_cast<int>(c.mouseY);
    run(2);
    EXPECT_NEAR(behaviour_.getMotion().angle, c.angle, kTol);
}

// The centre pixel shows the floor's origin, so a cat at -offset sees the pointer at +offset.
const float kSlight = std::atan(0.1f);

INSTANTIATE_TEST_SUITE_P(
    Offsets, PlayerHeading,
    ::testing::Values(HeadingCase{"AlongPlusZIsZero", {0, 0, -5}, 640, 360, 0.0f},
                      // Within the 0.999 dot band around +z the heading snaps to 0...
                      HeadingCase{"InsideTheForwardBandIsZero", {-0.1f, 0, -5}, 640, 360, 0.0f},
                      // ...just outside it, it is just above pi, not just above 0.
                      HeadingCase{"SlightlyPlusXIsJustAbovePi", {-0.5f, 0, -5}, 640, 360, kPi + kSlight},
                      HeadingCase{"SlightlyMinusXIsJustBelowPi", {0.5f, 0, -5}, 640, 360, kPi - kSlight},
                      HeadingCase{"TowardsPlusX", {-5, 0, 0}, 640, 360, kPi + kPi / 2},
                      HeadingCase{"TowardsMinusX", {5, 0, 0}, 640, 360, kPi / 2},
                      HeadingCase{"DiagonalPlusXPlusZ", {-3, 0, -3}, 640, 360, kPi + kPi / 4},
                      // Straight towards -z: angle -pi, heading pi + (-pi) = 0.
                      HeadingCase{"TowardsMinusZIsZero", {0, 0, 5}, 640, 360, 0.0f},
                      // The cat's height plays no part: it is aimed from the plane y = 0.1.
                      HeadingCase{"CatHeightIgnored", {-5, 7, 0}, 640, 360, kPi + kPi / 2},
                      // Pointer pixels: x to the right is +x, y downward is +z.
                      HeadingCase{"RightEdgePixel", {0, 0, 0}, 1280, 360, kPi + kPi / 2},
                      HeadingCase{"LeftEdgePixel", {0, 0, 0}, 0, 360, kPi / 2},
                      HeadingCase{"BottomRightCorner", {0, 0, 0}, 1280, 720, kPi + kPi / 3},
                      HeadingCase{"TopLeftCorner", {0, 0, 0}, 0, 0, kPi / 3}),
    [](const ::testing::TestParamInfo<HeadingCase>& info) { return std::string(info.param.name); });

TEST_F(PlayerBehaviourTest, PointerOverTheCatKeepsThePreviousHeading) {
    input_.mouseX = 1280;
    input_.mouseY = 360;
    float before = NAN;
    run(3, [&](int frame) {
        if (frame == 3) {
            before = behaviour_.getMotion().angle;
            // Put the cat exactly on the floor point under the pointer.
            placeCat(GETCAMERA()->screenToWorldToPlanePosition(1280, 360, {0, 0.1f, 0}, {0, 1, 0}));
        }
    });
    EXPECT_NEAR(before, kPi + kPi / 2, kTol);
    EXPECT_NEAR(behaviour_.getMotion().angle, kPi + kPi / 2, kTol);
}

TEST_F(PlayerBehaviourTest, PointerOverTheCatFromTheStartFacesZero) {
    // The centre pixel shows the origin, where the cat stands, give or take the pick's rounding.
    input_.mouseX = 640;
    input_.mouseY = 360;
    run(2);
    EXPECT_FLOAT_EQ(behaviour_.getMotion().angle, 0.0f);
}

TEST_F(PlayerBehaviourTest, WithoutACameraStillMovesAndKeepsItsHeading) {
    level_.setCamera(nullptr);
    input_.down = {Key::k_D};
    input_.mouseX = 1280;
    run(2);
    EXPECT_EQ(behaviour_.getMotion().direction, glm::vec2(1, 0));
    EXPECT_FLOAT_EQ(behaviour_.getMotion().angle, 0.0f);
}

}  // namespace
