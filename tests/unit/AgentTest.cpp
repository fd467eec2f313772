#include "model/Agent.hpp"
#include "model/AgentBehavior.hpp"

#include "StandInAgent.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

TEST(Agent, ConstructorStoresStatisticsInParameterOrder) {
    const StandInAgent agent(2.5f, 3.5f, 40, 7, 3);
    EXPECT_FLOAT_EQ(agent.getMoveSpeed(), 2.5f);
    EXPECT_FLOAT_EQ(agent.getSize(), 3.5f);
    EXPECT_EQ(agent.getHealth(), 40);
    EXPECT_EQ(agent.getAttack(), 7);
    EXPECT_EQ(agent.getDefense(), 3);

    const StandInAgent fallback;
    EXPECT_FLOAT_EQ(fallback.getMoveSpeed(), 1.0f);
    EXPECT_FLOAT_EQ(fallback.getSize(), 1.0f);
    EXPECT_EQ(fallback.getHealth(), 100);
    EXPECT_EQ(fallback.getAttack(), 1);
    EXPECT_EQ(fallback.getDefense(), 0);
}

TEST(Agent, WeaponIsTheAgentsOwnAndKeepsItsState) {
    StandInAgent agent(1.0f, 1.0f, 100, 10, 0);
    EXPECT_TRUE(agent.getWeapon().fire());
    EXPECT_FALSE(agent.getWeapon().fire());

    StandInAgent other(1.0f, 1.0f, 100, 10, 0);
    EXPECT_TRUE(other.getWeapon().fire());
}

struct DamageCase {
    const char* name;
    int health;
    int defense;
    int strength;
    int healthAfter;
    bool dies;
    const char* line;
};
// Failures name the case instead of dumping its bytes.
void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

class AgentDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(AgentDamage, AppliesTheBlowAndWritesOneLine) {
    const DamageCase& c = GetParam();
    StandInAgent agent(1.0f, 1.0f, c.health, 0, c.defense);

    ::testing::internal::CaptureStdout();
    const bool died = agent.inflictDamage(c.strength);
    const std::string out = ::testing::internal::GetCapturedStdout();

    EXPECT_EQ(out, c.line);
    EXPECT_EQ(agent.getHealth(), c.healthAfter);
    EXPECT_EQ(died, c.dies);
}

INSTANTIATE_TEST_SUITE_P(
    Blows, AgentDamage,
    ::testing::Values(DamageCase{"StrengthEqualToDefence", 100, 5, 5, 100, false, "health before: 100   after: 100\n"},
                      DamageCase{"StrengthBelowDefenceHeals", 100, 5, 2, 103, false,
                                 "health before: 100   after: 103\n"},
                      DamageCase{"ExactlyToZeroDies", 10, 0, 10, 0, true, "health before: 10   after: 0\n"},
                      DamageCase{"ToOneSurvives", 11, 0, 10, 1, false, "health before: 11   after: 1\n"},
                      DamageCase{"BelowZeroIsNotClamped", 30, 0, 50, -20, true, "health before: 30   after: -20\n"},
                      DamageCase{"DefenceReducesTheBlow", 100, 3, 10, 93, false, "health before: 100   after: 93\n"}),
    [](const ::testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

}  // namespace
