#include "ScopedVariable.hpp"

#include "storage/UserFolders.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The base directory rules: an absolute XDG variable wins, anything else falls back to HOME.
TEST(UserFolders, FollowTheBaseDirectoryRules) {
    struct Case {
        const char* xdg;
        const char* home;
        std::string data;
        std::string config;
    };
    const std::vector<Case> cases = {
        {"/x/base", "/home/ann", "/x/base/brimwold/", "/x/base/brimwold/"},
        {"/x/base/", "/home/ann", "/x/base/brimwold/", "/x/base/brimwold/"},
        {nullptr, "/home/ann", "/home/ann/.local/share/brimwold/", "/home/ann/.config/brimwold/"},
        {"", "/home/ann/", "/home/ann/.local/share/brimwold/", "/home/ann/.config/brimwold/"},
        {"relative/base", "/home/ann", "/home/ann/.local/share/brimwold/", "/home/ann/.config/brimwold/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.xdg != nullptr ? c.xdg : "(unset)") + " with HOME " + c.home);
        const ScopedVariable data("XDG_DATA_HOME", c.xdg);
        const ScopedVariable config("XDG_CONFIG_HOME", c.xdg);
        const ScopedVariable home("HOME", c.home);
        EXPECT_EQ(UserFolders::data(), c.data);
        EXPECT_EQ(UserFolders::config(), c.config);
    }
}
