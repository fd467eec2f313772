#include "model/Weapon.hpp"

#include "Ovra3D/Time.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

// Sets the frame time for one test and restores the loop's idle value afterwards.
class WeaponTest : public ::testing::Test {
protected:
    void TearDown() override { ovra::Time::deltaTime = 0.0f; }

    void frame(float deltaTime) {
        ovra::Time::deltaTime = deltaTime;
        weapon.update();
    }

    Weapon weapon;
};

TEST_F(WeaponTest, NeverFiredAllowsABlowAtOnceButNotTwiceInOneFrame) {
    EXPECT_TRUE(weapon.fire());
    EXPECT_FALSE(weapon.fire());
}

struct CooldownCase {
    const char* name;
    float fireRate;
    std::vector<float> idleFrames;  // frame times before the first blow
    std::vector<float> frames;      // frame times after it: update, then try a blow
    std::vector<bool> blows;        // expected result of each try
};
// Failures name the case instead of dumping its bytes.
void PrintTo(const CooldownCase& c, std::ostream* os) { *os << c.name; }

class WeaponCooldown : public WeaponTest, public ::testing::WithParamInterface<CooldownCase> {};

TEST_P(WeaponCooldown, BlowsAllowedInTheExpectedFrames) {
    const CooldownCase& c = GetParam();
    weapon.setFireRate(c.fireRate);
    for (float dt : c.idleFrames) {
        frame(dt);
    }
    ASSERT_TRUE(weapon.fire());
    ASSERT_EQ(c.frames.size(), c.blows.size());
    for (size_t i = 0; i < c.frames.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i + 1));
        frame(c.frames[i]);
        EXPECT_EQ(weapon.fire(), c.blows[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Frames, WeaponCooldown,
    ::testing::Values(
        // 0.25 + 0.25 reaches the period exactly: equality counts, ready in frame 2.
        CooldownCase{
            "QuarterSecondFramesReadyInFrameTwo", 0.5f, {}, {0.25f, 0.25f, 0.25f, 0.25f}, {false, true, false, true}},
        CooldownCase{"OneFrameOfExactlyThePeriod", 0.5f, {}, {0.5f, 0.5f}, {true, true}},
        CooldownCase{"JustShortOfThePeriodWaits", 0.5f, {}, {0.49f, 0.0f, 0.01f}, {false, false, true}},
        // 0.4 + 0.4 overshoots by 0.3; carried over it would make frame 3 ready.
        CooldownCase{"ExcessOverThePeriodIsDiscarded", 0.5f, {}, {0.4f, 0.4f, 0.4f, 0.4f}, {false, true, false, true}},
        // Time while ready must not bank up for the next cooldown.
        CooldownCase{"IdleTimeWhileReadyDoesNotCount", 0.5f, {10.0f, 10.0f}, {0.25f, 0.25f}, {false, true}},
        CooldownCase{"OtherFireRate", 1.0f, {}, {0.5f, 0.25f, 0.25f}, {false, false, true}}),
    [](const ::testing::TestParamInfo<CooldownCase>& info) { return std::string(info.param.name); });

}  // namespace
