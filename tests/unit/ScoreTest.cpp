#include "model/Score.hpp"

#include <gtest/gtest.h>

#include <vector>

TEST(Score, MoreZombiesWinAndATieGoesToTheLongerTime) {
    struct Case {
        Score result;
        Score other;
        bool beats;
    };
    const std::vector<Case> cases = {
        {{6, 1000}, {5, 600000}, true},  {{4, 600000}, {5, 1000}, false}, {{5, 60001}, {5, 60000}, true},
        {{5, 60000}, {5, 60000}, false}, {{5, 59999}, {5, 60000}, false}, {{0, 1}, {0, 0}, true},
        {{0, 0}, {0, 0}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.result.beats(c.other), c.beats)
            << c.result.zombiesFelled << "/" << c.result.millisecondsSurvived << " against " << c.other.zombiesFelled
            << "/" << c.other.millisecondsSurvived;
    }
}

TEST(Score, ClockTextIsMinutesAndTwoDigitSecondsCutDown) {
    struct Case {
        long milliseconds;
        const char* text;
    };
    const std::vector<Case> cases = {
        {0, "0:00"},     {999, "0:00"},     {1000, "0:01"},     {9999, "0:09"},  {59999, "0:59"},
        {60000, "1:00"}, {605000, "10:05"}, {3600000, "60:00"}, {-5000, "0:00"},
    };
    for (const Case& c : cases) {
        Score result;
        result.millisecondsSurvived = c.milliseconds;
        EXPECT_EQ(result.clockText(), c.text) << c.milliseconds << " ms";
    }
}
