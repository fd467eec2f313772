#include "TempFolder.hpp"

#include "storage/AtomicFile.hpp"
#include "storage/BestResultFile.hpp"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kGood = "brimwold-best 1\nmilliseconds_survived 73250\nzombies_felled 12\n";

ino_t inodeOf(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

std::vector<std::string> linesOf(const std::ostringstream& stream) {
    std::vector<std::string> lines;
    std::istringstream in(stream.str());
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class BestResultFileTest : public ::testing::Test {
protected:
    // A file as a fresh start of the game finds it.
    BestResultFile loaded() {
        BestResultFile file(dir_.path(), warnings_);
        file.load();
        return file;
    }

    TempFolder dir_;
    std::ostringstream warnings_;
};

}  // namespace

TEST_F(BestResultFileTest, WithoutAFileThereIsNoBestAndTheFirstGameIsKept) {
    BestResultFile file = loaded();
    EXPECT_FALSE(file.hasBest());
    EXPECT_TRUE(file.offer({0, 4200})) << "any game beats none";
    EXPECT_TRUE(warnings_.str().empty()) << warnings_.str();

    const BestResultFile again = loaded();
    ASSERT_TRUE(again.hasBest());
    EXPECT_EQ(again.best().zombiesFelled, 0);
    EXPECT_EQ(again.best().millisecondsSurvived, 4200);
}

TEST_F(BestResultFileTest, IsRewrittenOnlyWhenBeaten) {
    dir_.write("best", kGood);
    struct Case {
        Score offered;
        bool newBest;
    };
    const std::vector<Case> cases = {
        {{12, 73250}, false}, {{11, 999999}, false}, {{12, 73249}, false}, {{12, 73251}, true}, {{13, 0}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.offered.zombiesFelled) + " in " + std::to_string(c.offered.millisecondsSurvived));
        dir_.write("best", kGood);
        const ino_t before = inodeOf(dir_.file("best"));
        BestResultFile file = loaded();
        ASSERT_TRUE(file.hasBest());
        EXPECT_EQ(file.offer(c.offered), c.newBest);
        // Every write replaces the file with a new one, so an unchanged inode means untouched.
        EXPECT_EQ(inodeOf(dir_.file("best")) != before, c.newBest);
        const BestResultFile again = loaded();
        EXPECT_EQ(again.best().zombiesFelled, c.newBest ? c.offered.zombiesFelled : 12);
        EXPECT_EQ(again.best().millisecondsSurvived, c.newBest ? c.offered.millisecondsSurvived : 73250);
    }
    EXPECT_TRUE(warnings_.str().empty()) << warnings_.str();
}

// A damaged file is one warning; the game plays on with no best and writes a good file at
// the next game over, whatever that game's result.
TEST_F(BestResultFileTest, ADamagedFileIsOneWarningAndIsReplacedAtTheNextGameOver) {
    const std::vector<std::string> damaged = {
        "",
        "garbage",
        "brimwold-best 1\nzombies_felled 12\n",
        "brimwold-best 1\nmilliseconds_survived 73250\nzombies_felled -3\n",
        "brimwold-best 1\nmilliseconds_survived 73250\nzombies_felled 12\ncheated yes\n",
        "brimwold-best 1\nmilliseconds_survived 73250\nzombies_felled 99999999999\n",
        "brimwold-best 1\nmilliseconds_survived 73250\nzombies_fel",
        "brimwold-best 7\nmilliseconds_survived 73250\nzombies_felled 12\n",
    };
    for (const std::string& text : damaged) {
        SCOPED_TRACE(text);
        warnings_.str("");
        dir_.write("best", text);
        BestResultFile file = loaded();
        EXPECT_FALSE(file.hasBest());
        const std::vector<std::string> lines = linesOf(warnings_);
        ASSERT_EQ(lines.size(), 1u) << warnings_.str();
        EXPECT_NE(lines[0].find(dir_.file("best")), std::string::npos) << lines[0];
        EXPECT_NE(lines[0].find("damaged"), std::string::npos) << lines[0];

        EXPECT_TRUE(file.offer({0, 10}));
        const BestResultFile again = loaded();
        EXPECT_TRUE(again.hasBest()) << "a good file was written";
        EXPECT_EQ(again.best().millisecondsSurvived, 10);
    }
}

TEST_F(BestResultFileTest, AFileItMayNotReadIsOneWarning) {
    ::mkdir(dir_.file("best").c_str(), 0700);
    BestResultFile file = loaded();
    EXPECT_FALSE(file.hasBest());
    const std::vector<std::string> lines = linesOf(warnings_);
    ASSERT_EQ(lines.size(), 1u) << warnings_.str();
    EXPECT_NE(lines[0].find(dir_.file("best")), std::string::npos) << lines[0];
}

// The folder's path is taken by a file: every game over fails to write, and only the
// first says so. The best is still known for the rest of the run.
TEST_F(BestResultFileTest, NowhereToWriteIsOneWarningForTheWholeRun) {
    dir_.write("taken", "not a folder\n");
    BestResultFile file(dir_.file("taken/"), warnings_);
    file.load();
    EXPECT_TRUE(warnings_.str().empty()) << "a path through a file holds no best: nothing to say yet";
    EXPECT_TRUE(file.offer({3, 1000}));
    EXPECT_TRUE(file.offer({4, 1000}));
    EXPECT_FALSE(file.offer({1, 1000}));
    const std::vector<std::string> lines = linesOf(warnings_);
    ASSERT_EQ(lines.size(), 1u) << warnings_.str();
    EXPECT_NE(lines[0].find(dir_.file("taken")), std::string::npos) << lines[0];
    EXPECT_EQ(file.best().zombiesFelled, 4);
}

TEST_F(BestResultFileTest, WithoutAnyFolderTheBestLivesForTheRunOnly) {
    BestResultFile file("", warnings_);
    file.load();
    EXPECT_TRUE(file.offer({2, 5000}));
    EXPECT_TRUE(file.offer({3, 5000}));
    EXPECT_EQ(linesOf(warnings_).size(), 1u) << warnings_.str();
    EXPECT_EQ(file.best().zombiesFelled, 3);
}

// The game is killed after the new best is synced to its temporary file and before the
// rename: the old best must be whole, the left-over temporary file must not be taken for
// it, and the next game over must still write.
TEST_F(BestResultFileTest, AWriteKilledBeforeItsRenameKeepsThePreviousBest) {
    loaded().offer({12, 73250});
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::alarm(10);
        std::string error;
        const std::string text = RecordText::format("brimwold-best 1", BestResultFile::toEntries({40, 1}));
        AtomicFile::write(dir_.path(), "best", text, error, [] { ::raise(SIGKILL); });
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the writer was not killed where planned";

    BestResultFile file = loaded();
    ASSERT_TRUE(file.hasBest());
    EXPECT_EQ(file.best().zombiesFelled, 12);
    EXPECT_EQ(file.best().millisecondsSurvived, 73250);
    EXPECT_TRUE(warnings_.str().empty()) << warnings_.str();

    EXPECT_TRUE(file.offer({13, 0}));
    EXPECT_EQ(loaded().best().zombiesFelled, 13);
    EXPECT_TRUE(warnings_.str().empty()) << warnings_.str();
}
