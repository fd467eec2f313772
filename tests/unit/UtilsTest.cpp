#include "Ovra3D/utils.hpp"

#include <gtest/gtest.h>

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
