#ifndef OVRA_TESTS_CHILDPROCESS_HPP
#define OVRA_TESTS_CHILDPROCESS_HPP

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <functional>

// Runs `body` in a child process and expects it to answer 0 within `seconds`. The child is a
// fresh run of this test binary that goes straight to the calling test (gtest's "threadsafe"
// death-test style), so a GL test gets a window and context of its own. A crash, a sanitizer
// report, a hang (ended by SIGALRM) or another answer fails the calling test and shows the
// child's standard error, where `body` says what went wrong.
inline void expectInChild(unsigned int seconds, const std::function<int()>& body) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ::alarm(seconds);
            const int answer = body();
            std::fflush(nullptr);
            // Straight out: the child's leftovers (the test's own objects) are not its to clean up.
            ::_exit(answer);
        },
        ::testing::ExitedWithCode(0), "");
}

#endif
