#include "storage/RecordText.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kHeader = "brimwold-best 1";

}  // namespace

TEST(RecordText, WhatIsFormattedParsesBackToTheSameEntries) {
    const RecordText::Entries entries = {{"milliseconds_survived", "73250"}, {"zombies_felled", "12"}};
    const std::string text = RecordText::format(kHeader, entries);
    EXPECT_EQ(text, "brimwold-best 1\nmilliseconds_survived 73250\nzombies_felled 12\n");
    RecordText::Entries read;
    ASSERT_TRUE(RecordText::parse(text, kHeader, read));
    EXPECT_EQ(read, entries);
}

TEST(RecordText, RefusesTextsThatAreNotWhatItWrites) {
    struct Case {
        const char* what;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"empty", ""},
        {"only a line end", "\n"},
        {"another format version", "brimwold-best 2\nzombies_felled 1\n"},
        {"another kind of file", "brimwold-settings 1\nzombies_felled 1\n"},
        {"no first line", "zombies_felled 1\n"},
        {"cut short in its last line", "brimwold-best 1\nzombies_felled 1"},
        {"a key without a value", "brimwold-best 1\nzombies_felled\n"},
        {"a key and a space without a value", "brimwold-best 1\nzombies_felled \n"},
        {"two spaces", "brimwold-best 1\nzombies_felled  1\n"},
        {"a value with a space", "brimwold-best 1\nzombies_felled 1 2\n"},
        {"a line starting with a space", "brimwold-best 1\n zombies_felled 1\n"},
        {"an empty line", "brimwold-best 1\n\nzombies_felled 1\n"},
        {"a key twice", "brimwold-best 1\nzombies_felled 1\nzombies_felled 2\n"},
        {"a first line with a carriage return", "brimwold-best 1\r\nzombies_felled 1\n"},
        {"zero bytes", std::string("brimwold-best 1\n\0\0\0\n", 21)},
    };
    for (const Case& c : cases) {
        RecordText::Entries entries = {{"left", "over"}};
        EXPECT_FALSE(RecordText::parse(c.text, kHeader, entries)) << c.what;
    }
}

TEST(RecordText, CountsAreWholeDecimalNumbersWithinTheirRange) {
    struct Case {
        std::string value;
        bool valid;
        long count;
    };
    const std::vector<Case> cases = {
        {"0", true, 0},     {"12", true, 12},   {"1000", true, 1000},
        {"1001", false, 0}, {"", false, 0},     {"-1", false, 0},
        {"+1", false, 0},   {" 1", false, 0},   {"1 ", false, 0},
        {"1e3", false, 0},  {"0x10", false, 0}, {"1.5", false, 0},
        {"1\r", false, 0},  {"007", true, 7},   {"99999999999999999999999", false, 0},
    };
    for (const Case& c : cases) {
        long count = -1;
        EXPECT_EQ(RecordText::toCount(c.value, 1000, count), c.valid) << '"' << c.value << '"';
        EXPECT_EQ(count, c.valid ? c.count : -1) << '"' << c.value << "\" leaves the count alone when refused";
    }
}
