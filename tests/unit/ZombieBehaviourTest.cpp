#include "model/ZombieBehaviour.hpp"

#include "Ovra3D/Entity.hpp"
#include "model/Agent.hpp"

#include "StandInAgent.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kTol = 1e-4f;

// One zombie at a given place and the behaviour that drives it.
class ZombieBehaviourTest : public ::testing::Test {
protected:
    void placeZombie(const glm::vec3& position) {
        zombie_.getEntity()->getTransform().setPosition(position);
        zombie_.getEntity()->getTransform().applyUpdates();
    }
    const AgentBehavior::Motion& chase(const AgentList& enemies) {
        behaviour_.update(zombie_, zombie_.getEntity()->getTransform(), {}, enemies);
        return behaviour_.getMotion();
    }
    const AgentBehavior::Motion& chase(const glm::vec3& target) {
        return chase(AgentList{std::make_shared<StandInAgent>(target)});
    }

    StandInAgent zombie_{glm::vec3(0.0f)};
    ZombieBehaviour behaviour_;
};

struct ChaseCase {
    const char* name;
    glm::vec3 zombie;
    glm::vec3 target;
    glm::vec2 direction;
    float angle;
};
// Failures name the case instead of dumping its bytes.
void PrintTo(const ChaseCase& c, std::ostream* os) { *os << c.name; }

class ZombieChase : public ZombieBehaviourTest, public ::testing::WithParamInterface<ChaseCase> {};

TEST_P(ZombieChase, WalksAndFacesTowardsTheTarget) {
    const ChaseCase& c = GetParam();
    placeZombie(c.zombie);
    const AgentBehavior::Motion& motion = chase(c.target);
    EXPECT_NEAR(motion.direction.x, c.direction.x, kTol);
    EXPECT_NEAR(motion.direction.y, c.direction.y, kTol);
    EXPECT_FLOAT_EQ(motion.intensity, 1.0f);
    EXPECT_NEAR(motion.angle, c.angle, kTol);
    EXPECT_EQ(behaviour_.getAction(), AgentBehavior::NONE);
}

const float kLowAngle = std::acos(5.0f / std::sqrt(25.01f));

INSTANTIATE_TEST_SUITE_P(
    Targets, ZombieChase,
    ::testing::Values(
        ChaseCase{"FiveAlongPlusX", {0, 0, 0}, {5, 0, 0}, {1, 0}, kPi / 2 + kPi},
        ChaseCase{"FiveAlongMinusX", {2, 0, 3}, {-3, 0, 3}, {-1, 0}, kPi / 2},
        ChaseCase{"DiagonalPlusXPlusZ", {0, 0, 0}, {3, 0, 3}, {0.70710678f, 0.70710678f}, kPi + kPi / 4},
        // Straight ahead stays 0, not pi.
        ChaseCase{"StraightAlongPlusZ", {1, 0, 1}, {1, 0, 6}, {0, 1}, 0.0f},
        // The sign test sees x = 0 as positive: a = pi, heading 2 pi.
        ChaseCase{"StraightAlongMinusZ", {1, 0, 1}, {1, 0, -4}, {0, -1}, 2 * kPi},
        // The usual case in play: the zombie 0.1 above the cat.
        ChaseCase{"TargetSlightlyLower", {0, 0.1f, 0}, {0, 0, 5}, {0, 5.0f / std::sqrt(25.01f)}, kPi + kLowAngle},
        ChaseCase{"ExactlyOneAwayStandsButTurns", {0, 0, 0}, {1, 0, 0}, {0, 0}, kPi / 2 + kPi},
        ChaseCase{"CloserThanOneStandsButTurns", {0, 0, 0}, {-0.5f, 0, 0}, {0, 0}, kPi / 2},
        // The stop distance is three-dimensional: 0.9 across but 0.5 below is beyond 1.
        ChaseCase{"WithinOneAcrossButNotInSpace",
                  {0, 0.5f, 0},
                  {0.9f, 0, 0},
                  {0.9f / std::sqrt(1.06f), 0},
                  kPi + std::acos(0.0f)},
        // A zero offset has no direction: acos(0) = pi / 2, kept positive, never NaN.
        ChaseCase{"TargetOnTheZombie", {4, 0.1f, -2}, {4, 0.1f, -2}, {0, 0}, kPi / 2 + kPi}),
    [](const ::testing::TestParamInfo<ChaseCase>& info) { return std::string(info.param.name); });

TEST_F(ZombieBehaviourTest, ReadsWorldPositions) {
    // Both entities sit under parents that move them; local positions alone would point along -x.
    ovra::Entity zombieParent("zombieParent");
    zombieParent.getTransform().setPosition(-10, 0, 0);
    zombieParent.attach(*zombie_.getEntity());
    zombie_.getEntity()->getTransform().setPosition(10, 0, 0);
    zombieParent.update();

    auto target = std::make_shared<StandInAgent>(glm::vec3(-5, 0, 0));
    ovra::Entity targetParent("targetParent");
    targetParent.getTransform().setPosition(10, 0, 0);
    targetParent.attach(*target->getEntity());
    targetParent.update();

    const AgentBehavior::Motion& motion = chase(AgentList{target});
    EXPECT_NEAR(motion.direction.x, 1.0f, kTol);
    EXPECT_NEAR(motion.angle, kPi / 2 + kPi, kTol);

    zombieParent.detach(*zombie_.getEntity());
    targetParent.detach(*target->getEntity());
}

TEST_F(ZombieBehaviourTest, ChasesOnlyTheFirstEnemy) {
    const AgentBehavior::Motion& motion = chase(AgentList{std::make_shared<StandInAgent>(glm::vec3(0, 0, 5)),
                                                          std::make_shared<StandInAgent>(glm::vec3(5, 0, 0))});
    EXPECT_NEAR(motion.direction.x, 0.0f, kTol);
    EXPECT_NEAR(motion.direction.y, 1.0f, kTol);
}

TEST_F(ZombieBehaviourTest, WithoutAnEnemyStandsStillAndKeepsItsHeading) {
    chase(glm::vec3(5, 0, 0));
    const AgentList noTarget[] = {AgentList{}, AgentList{nullptr}};
    for (const AgentList& enemies : noTarget) {
        SCOPED_TRACE(enemies.size());
        const AgentBehavior::Motion& motion = chase(enemies);
        EXPECT_EQ(motion.direction, glm::vec2(0.0f));
        EXPECT_NEAR(motion.angle, kPi / 2 + kPi, kTol);
        EXPECT_EQ(behaviour_.getAction(), AgentBehavior::NONE);
    }
}

}  // namespace
