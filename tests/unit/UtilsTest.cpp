#include "Ovra3D/utils.hpp"

#include "TempFolder.hpp"
#include "UnreadablePaths.hpp"

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using ovra::Color;
using ovra::get_file_contents;

namespace {

std::string scratchFile(const std::string& name, const std::string& bytes) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

}  // namespace

TEST(GetFileContents, ReturnsTheBytesUnchanged) {
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {{"ovra-empty.txt", ""},
                 {"ovra-crlf.txt", "line one\r\nline two\r\n"},
                 {"ovra-binary.bin", std::string("a\0b\xff\n", 5)}};
    for (const auto& c : cases) {
        const std::string path = scratchFile(c.name, c.bytes);
        std::string output = "previous";
        EXPECT_TRUE(get_file_contents(path.c_str(), output)) << c.name;
        EXPECT_EQ(output, c.bytes) << c.name;
        std::remove(path.c_str());
    }
}

TEST(GetFileContents, MissingFileOrNoNameLeavesTheOutputAlone) {
    for (const char* name : {"/nonexistent/ovra/file.vert", static_cast<const char*>(nullptr)}) {
        std::string output = "untouched";
        EXPECT_FALSE(get_file_contents(name, output)) << (name != nullptr ? name : "null");
        EXPECT_EQ(output, "untouched");
    }
}

TEST(GetFileContents, NamesThatAreNoReadableFileAreRefusedLikeAMissingFile) {
    TempFolder dir;
    const ScopedAlarm watchdog(60);
    for (const UnreadablePath& entry : plantUnreadablePaths(dir, ".vert")) {
        const std::string path = dir.file(entry.name);
        std::string output = "untouched";
        EXPECT_FALSE(ovra::is_readable_file(path.c_str())) << entry.what;
        EXPECT_FALSE(get_file_contents(path.c_str(), output)) << entry.what;
        EXPECT_EQ(output, "untouched") << entry.what;
    }
    std::string output = "untouched";
    EXPECT_FALSE(get_file_contents(nullptr, output));
    EXPECT_EQ(output, "untouched");
}

TEST(GetFileContents, ALinkToAFileIsFollowed) {
    TempFolder dir;
    dir.write("target.vert", "void main() {}\n");
    ASSERT_EQ(::symlink(dir.file("target.vert").c_str(), dir.file("link.vert").c_str()), 0);
    std::string output;
    EXPECT_TRUE(ovra::is_readable_file(dir.file("link.vert").c_str()));
    EXPECT_TRUE(get_file_contents(dir.file("link.vert").c_str(), output));
    EXPECT_EQ(output, "void main() {}\n");
}

TEST(GetFileContents, AFileWithoutReadPermissionIsRefused) {
    TempFolder dir;
    ::chmod(dir.path().c_str(), 0755);
    dir.write("locked.txt", "secret");
    ::chmod(dir.file("locked.txt").c_str(), 0200);
    dir.write("open.txt", "public");
    ::chmod(dir.file("open.txt").c_str(), 0644);
    const auto check = [&dir]() {
        std::string output = "untouched";
        if (get_file_contents(dir.file("locked.txt").c_str(), output) || output != "untouched") {
            return 1;
        }
        return get_file_contents(dir.file("open.txt").c_str(), output) && output == "public" ? 0 : 2;
    };
    if (::geteuid() != 0) {
        EXPECT_EQ(check(), 0);
        return;
    }
    // Root reads whatever the mode bits say: look from a child that gave its privileges up.
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        ::setgroups(0, nullptr);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            ::_exit(3);
        }
        ::_exit(check());
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the locked file was read, 2: the open one was refused, "
                                         "3: privileges could not be dropped";
}

TEST(Color, CopiesAndSelfAssignmentKeepTheComponents) {
    Color c(0.1f, 0.2f, 0.3f);
    Color& self = c;
    c = self;
    EXPECT_FLOAT_EQ(c.red, 0.1f);
    EXPECT_FLOAT_EQ(c.green, 0.2f);
    EXPECT_FLOAT_EQ(c.blue, 0.3f);

    Color d;
    EXPECT_FLOAT_EQ(d.red, 0.0f);
    EXPECT_FLOAT_EQ(d.green, 0.0f);
    EXPECT_FLOAT_EQ(d.blue, 0.0f);
    d = c;
    const Color e(d);
    EXPECT_FLOAT_EQ(e.red, 0.1f);
    EXPECT_FLOAT_EQ(e.blue, 0.3f);
}
