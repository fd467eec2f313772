#include "Fakes.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/SDL2/SDL2Input.hpp"
#include "Ovra3D/Time.hpp"

#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <csignal>
#include <cstdlib>

using ovra::Time;

namespace {

// The loop under a stop signal, with fake container and input; every test runs once
// for SIGINT and once for SIGTERM.
class StopSignal : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        Time::fps = 0;
        // The death tests start the binary afresh, with its own window, rather than fork a
        // process whose GL driver threads would be missing.
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        // Whatever the test binary inherited (a background job ignores SIGINT), start from
        // the default action.
        struct sigaction byDefault {};
        byDefault.sa_handler = SIG_DFL;
        sigemptyset(&byDefault.sa_mask);
        sigaction(GetParam(), &byDefault, &inherited_);
    }
    void TearDown() override {
        sigaction(GetParam(), &inherited_, nullptr);
        Time::fps = 60;
    }

    // Runs the loop, raising the signal `times` times during the update of frame `frame`;
    // a run that the signal failed to stop still ends after ten frames.
    void runRaisingAt(int frame, int times = 1) {
        const int signal = GetParam();
        level_.onUpdate = [=](FakeLevel& level) {
            if (level.updates == frame) {
                for (int i = 0; i < times; ++i) {
                    std::raise(signal);
                }
            }
            if (level.updates == frame + 10) {
                GETAPP().exit();
            }
        };
        GETAPP().run(container_, input_, level_);
        level_.onUpdate = nullptr;
    }

    using Handler = void (*)(int);
    static Handler currentHandler(int signal) {
        struct sigaction action {};
        sigaction(signal, nullptr, &action);
        return action.sa_handler;
    }

    FakeContainer container_;
    FakeInput input_;
    FakeLevel level_;
    struct sigaction inherited_ {};
};

std::string signalName(const ::testing::TestParamInfo<int>& info) {
    return info.param == SIGINT ? "SIGINT" : "SIGTERM";
}

}  // namespace

TEST_P(StopSignal, EndsTheRunAfterTheFrameInProgressAndNotTheNextRun) {
    runRaisingAt(2);
    EXPECT_EQ(level_.updates, 2);
    EXPECT_EQ(container_.postDraws, 2) << "the frame in progress is still presented";

    runFrames(container_, input_, level_, 3);
    EXPECT_EQ(level_.updates, 5) << "a signal of an earlier run must not stop the next one";
}

TEST_P(StopSignal, SecondSignalDuringTheFrameEndsTheProcessAtOnce) {
    EXPECT_EXIT(
        {
            runRaisingAt(1, 2);
            std::exit(0);
        },
        ::testing::KilledBySignal(GetParam()), "");
}

TEST_P(StopSignal, SecondSignalAfterTheLoopEndedEndsTheProcessAtOnce) {
    EXPECT_EXIT(
        {
            runRaisingAt(1);
            // What the program does next is its shutdown.
            std::raise(GetParam());
            std::exit(0);
        },
        ::testing::KilledBySignal(GetParam()), "");
}

TEST_P(StopSignal, RunLeftWithoutASignalGivesTheSignalBackItsFormerAction) {
    runFrames(container_, input_, level_, 2);
    EXPECT_EQ(currentHandler(GetParam()), SIG_DFL);
}

TEST_P(StopSignal, SignalIgnoredByWhoeverStartedTheProgramStaysIgnored) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(GetParam(), &ignore, nullptr);

    runRaisingAt(1);
    EXPECT_EQ(level_.updates, 11);
    EXPECT_EQ(currentHandler(GetParam()), SIG_IGN);
}

INSTANTIATE_TEST_SUITE_P(Signals, StopSignal, ::testing::Values(SIGINT, SIGTERM), signalName);

TEST(CloseRequest, DoesNotEndTheRun) {
    Time::fps = 0;
    FakeContainer container;
    ovra::sdl2::SDL2Input input;
    FakeLevel level;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    level.onUpdate = [&](FakeLevel& l) {
        if (l.updates == 1) {
            ASSERT_EQ(SDL_PushEvent(&quit), 1) << SDL_GetError();
        }
    };
    runFrames(container, input, level, 3);
    EXPECT_EQ(level.updates, 3);
    Time::fps = 60;
}
