#include "Fakes.hpp"
#include "WindowPixels.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/Time.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <string>

using ovra::Time;

namespace {

// Restores the process-wide loop settings each test changes.
class ApplicationLoop : public ::testing::Test {
protected:
    void TearDown() override {
        Time::fps = 60;
        GETAPP().setClock(nullptr);
    }

    FakeContainer container_;
    FakeInput input_;
    FakeLevel level_;
    FakeClock clock_;
};

struct PacingCase {
    const char* name;
    uint16_t fps;
    int64_t workMicroseconds;  // what each frame's update costs on the clock
    int64_t expectedSleep;     // sleep of the second frame, -1 for none
    float expectedDelta;       // delta time of the second frame
};

class FramePacing : public ApplicationLoop, public ::testing::WithParamInterface<PacingCase> {};

}  // namespace

TEST_P(FramePacing, SecondFrameSleepsAndReportsAsTheRuleSays) {
    const PacingCase& c = GetParam();
    Time::fps = c.fps;
    GETAPP().setClock(&clock_);
    level_.onUpdate = [&](FakeLevel&) { clock_.now += c.workMicroseconds; };
    runFrames(container_, input_, level_, 2);

    const int64_t timePerFrame = c.fps != 0 ? 1000000 / c.fps : 0;
    const bool firstSlept = timePerFrame > 0;
    ASSERT_EQ(clock_.sleeps.size(), (firstSlept ? 1u : 0u) + (c.expectedSleep >= 0 ? 1u : 0u));
    if (firstSlept) {
        EXPECT_EQ(clock_.sleeps.front(), timePerFrame) << "the first frame measures nothing and sleeps a full period";
    }
    if (c.expectedSleep >= 0) {
        EXPECT_EQ(clock_.sleeps.back(), c.expectedSleep);
    }
    EXPECT_FLOAT_EQ(Time::deltaTime, c.expectedDelta);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FramePacing,
    ::testing::Values(PacingCase{"FastFrameIsStretchedToThePeriod", 60, 4000, 12666, 16666 / 1000000.0f},
                      PacingCase{"LateFrameKeepsItsMeasuredTime", 60, 25000, -1, 0.025f},
                      PacingCase{"UncappedNeverSleeps", 0, 3000, -1, 0.003f},
                      PacingCase{"SevenFramesPerSecondUseIntegerDivision", 7, 1000, 141857, 0.142857f},
                      // A clock stepping back five seconds counts as no time passed.
                      PacingCase{"BackwardsClockSleepsOnePeriodAtMost", 60, -5000000, 16666, 0.016666f}),
    [](const ::testing::TestParamInfo<PacingCase>& info) { return info.param.name; });

TEST_F(ApplicationLoop, EachFrameRunsItsStepsInOrder) {
    Time::fps = 0;
    std::string order;
    struct Container : FakeContainer {
        std::string* order;
        void preDraw() override { *order += "p"; }
        void postDraw() override { *order += "P"; }
    } container;
    container.order = &order;
    struct Input : FakeInput {
        std::string* order;
        void handle() override { *order += "i"; }
    } input;
    input.order = &order;
    level_.onUpdate = [&](FakeLevel&) { order += "u"; };

    runFrames(container, input, level_, 3);
    EXPECT_EQ(order, "piuPpiuPpiuP");
}

TEST_F(ApplicationLoop, ExitBeforeRunIsIgnoredAndExitDuringAFrameStillPresentsIt) {
    Time::fps = 0;
    GETAPP().exit();
    runFrames(container_, input_, level_, 2);
    EXPECT_EQ(level_.updates, 2);
    EXPECT_EQ(container_.postDraws, 2);
}

TEST_F(ApplicationLoop, FrameRateIsReadOnceWhenRunStarts) {
    Time::fps = 60;
    GETAPP().setClock(&clock_);
    level_.onUpdate = [](FakeLevel&) { Time::fps = 0; };
    runFrames(container_, input_, level_, 3);
    EXPECT_EQ(clock_.sleeps.size(), 3u);
}

TEST_F(ApplicationLoop, SecondLevelBecomesCurrentOnlyWhenAddedFirst) {
    Time::fps = 0;
    FakeLevel other;
    level_.onUpdate = [&](FakeLevel&) { GETAPP().getLevelManager().addLevel(other, false); };
    runFrames(container_, input_, level_, 2);
    EXPECT_EQ(level_.updates, 2);
    EXPECT_EQ(other.updates, 0);

    int otherUpdates = 0;
    other.onUpdate = [&](FakeLevel&) {
        if (++otherUpdates == 1) {
            GETAPP().exit();
        }
    };
    level_.onUpdate = [&](FakeLevel&) { GETAPP().getLevelManager().addLevel(other, true); };
    GETAPP().run(container_, input_, level_);  // level_ is current again for the first frame
    EXPECT_EQ(level_.updates, 3);
    EXPECT_EQ(otherUpdates, 1);
}

TEST_F(ApplicationLoop, EmptySceneClearsEveryPixelToDarkGrey) {
    Time::fps = 0;
    runFrames(container_, input_, level_, 1);
    for (auto [x, y] : {std::pair{0, 0}, {640, 360}, {1279, 719}}) {
        EXPECT_TRUE(isColor(windowPixel(x, y), kClearColor, 1)) << "pixel " << x << "," << y;
    }
}

TEST_F(ApplicationLoop, CappedLoopSleepsInsteadOfSpinning) {
    Time::fps = 60;
    const auto wallStart = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    runFrames(container_, input_, level_, 30);
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();

    EXPECT_GE(wall, 29 * 0.016666);
    EXPECT_LT(cpu, 0.5 * wall) << "cpu " << cpu << " s over " << wall << " s";
    EXPECT_NEAR(Time::deltaTime, 0.016666f, 0.005f);
}
