#include "storage/UserFolders.hpp"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace {

const char* const kGameFolder = "brimwold/";

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return home;
    }
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] == '/' ? user->pw_dir : "";
}

}  // namespace

std::string UserFolders::data() { return underBase("XDG_DATA_HOME", ".local/share"); }

std::string UserFolders::config() { return underBase("XDG_CONFIG_HOME", ".config"); }

std::string UserFolders::underBase(const char* variable, const char* fallbackUnderHome) {
    // A relative value is invalid by the rules and is ignored.
    const char* base = std::getenv(variable);
    if (base != nullptr && base[0] == '/') {
        std::string folder = base;
        return folder + (folder.back() == '/' ? "" : "/") + kGameFolder;
    }
    const std::string home = homeFolder();
    if (home.empty()) {
        return "";
    }
    return home + (home.back() == '/' ? "" : "/") + fallbackUnderHome + "/" + kGameFolder;
}
