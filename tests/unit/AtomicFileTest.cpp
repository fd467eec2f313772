#include "TempFolder.hpp"
#include "UnreadablePaths.hpp"

#include "storage/AtomicFile.hpp"

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

}  // namespace

TEST(AtomicFile, MakesTheMissingFoldersAndReplacesTheFileLeavingNothingElse) {
    TempFolder dir;
    const std::string folder = dir.file("a/b/brimwold/");
    std::string error;
    ASSERT_TRUE(AtomicFile::write(folder, "best", "first\n", error)) << error;
    ASSERT_TRUE(AtomicFile::write(folder, "best", "second\n", error)) << error;

    EXPECT_EQ(contentsOf(folder + "best"), "second\n");
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"best"}) << "no temporary file is left behind";
    struct stat status {};
    ASSERT_EQ(::stat(folder.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u) << "a new folder is the user's alone";

    std::string read;
    bool missing = true;
    EXPECT_TRUE(AtomicFile::read(folder + "best", read, missing, error));
    EXPECT_EQ(read, "second\n");
    EXPECT_FALSE(missing);
}

TEST(AtomicFile, RefusesToWriteWhereThereIsNoFolderToWriteIn) {
    TempFolder dir;
    dir.write("taken", "a file, not a folder\n");
    struct Case {
        const char* what;
        std::string folder;
        std::string named;  // what the error must name
    };
    const std::vector<Case> cases = {
        {"the folder's path is a file", dir.file("taken/"), dir.file("taken")},
        {"a parent's path is a file", dir.file("taken/brimwold/"), dir.file("taken")},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(AtomicFile::write(c.folder, "best", "x\n", error)) << c.what;
        EXPECT_NE(error.find(c.named), std::string::npos) << c.what << ": " << error;
    }
    EXPECT_EQ(contentsOf(dir.file("taken")), "a file, not a folder\n");
}

TEST(AtomicFile, RefusesAReadOnlyFolderAndLeavesItEmpty) {
    TempFolder dir;
    const std::string readOnly = dir.file("readonly/");
    ASSERT_EQ(::mkdir(readOnly.c_str(), 0500), 0);
    // Permissions do not stop root: for root the folder is made read-only by a read-only bind
    // mount instead, in a mount namespace of a child's own that ends with the child, so
    // nothing is left mounted whatever happens. 1: written, 2: the error does not name the
    // folder, 3: something was left in it, 77: no mount namespace to be had here.
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
             ::mount(readOnly.c_str(), readOnly.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
             ::mount(nullptr, readOnly.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)) {
            ::_exit(77);
        }
        std::string error;
        if (AtomicFile::write(readOnly, "best", "x\n", error)) {
            ::_exit(1);
        }
        ::_exit(error.find(readOnly) == std::string::npos ? 2 : namesIn(readOnly).empty() ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::chmod(readOnly.c_str(), 0700);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "skipped: running as root without the right to make a mount namespace";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(namesIn(readOnly).empty());
}

TEST(AtomicFile, ReadTellsAMissingFileFromOneItMayNotRead) {
    TempFolder dir;
    std::string contents;
    std::string error;
    bool missing = false;
    EXPECT_FALSE(AtomicFile::read(dir.file("absent"), contents, missing, error));
    EXPECT_TRUE(missing);

    dir.write("huge", std::string(100 * 1024, 'x'));
    EXPECT_FALSE(AtomicFile::read(dir.file("huge"), contents, missing, error)) << "far larger than ours";
    EXPECT_FALSE(missing);

    const ScopedAlarm alarm(20);
    for (const UnreadablePath& path : plantUnreadablePaths(dir, "")) {
        const bool isMissing = path.what == std::string("a dangling link") ||
                               path.what == std::string("a path through a file");
        if (isMissing) {
            continue;  // told apart below
        }
        missing = true;
        error.clear();
        EXPECT_FALSE(AtomicFile::read(dir.file(path.name), contents, missing, error)) << path.what;
        EXPECT_FALSE(missing) << path.what;
        EXPECT_NE(error.find(dir.file(path.name)), std::string::npos) << path.what << ": " << error;
    }
    for (const char* name : {"dangling", "plain/inner"}) {
        missing = false;
        EXPECT_FALSE(AtomicFile::read(dir.file(name), contents, missing, error));
        EXPECT_TRUE(missing) << name << " leads to no file";
    }
}
