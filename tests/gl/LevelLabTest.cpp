#include "CapturedStdout.hpp"
#include "Fakes.hpp"
#include "GameWorkingDirectory.hpp"
#include "WindowPixels.hpp"

#include "LevelLab.hpp"
#include "gui/LifeBar.hpp"
#include "model/Environment.hpp"

#include "Ovra3D/2D/Text2D.hpp"
#include "Ovra3D/Application.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Time.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// The status lines the level writes once a frame.
std::vector<std::string> statusLines(const CapturedStdout& out) { return out.linesStartingWith("Player life:"); }

// Input whose key states the test changes at each poll; a key released counts for one poll only.
class ScriptedInput : public FakeInput {
public:
    void handle() override {
        FakeInput::handle();
        up.clear();
        if (onPoll) {
            onPoll(polls, *this);
        }
    }
    void releaseEscape() { up.insert(k_ESCAPE); }

    std::function<void(int, ScriptedInput&)> onPoll;
};

std::vector<std::string> childNames(const ovra::Node& node) {
    std::vector<std::string> names;
    for (const ovra::Node* child : node.getChildren()) {
        names.push_back(child->getName());
    }
    return names;
}

// The smallest rectangle holding every pixel that differs between two 1280 x 720 frames read
// with windowFrame(), in window pixels from the top left, and whether pure white is among them
// in `a`. Empty (right < left) when the frames are equal.
struct Difference {
    int left = 1280;
    int top = 720;
    int right = -1;
    int bottom = -1;
    bool white = false;

    bool empty() const { return right < left; }
};
std::ostream& operator<<(std::ostream& out, const Difference& d) {
    return out << "x " << d.left << " to " << d.right << ", y " << d.top << " to " << d.bottom;
}

Difference differenceOf(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    Difference d;
    for (size_t i = 0; i + 2 < a.size() && i + 2 < b.size(); i += 3) {
        if (a[i] == b[i] && a[i + 1] == b[i + 1] && a[i + 2] == b[i + 2]) {
            continue;
        }
        const int x = static_cast<int>(i / 3 % 1280);
        const int y = 719 - static_cast<int>(i / 3 / 1280);  // read bottom row first
        d.left = std::min(d.left, x);
        d.right = std::max(d.right, x);
        d.top = std::min(d.top, y);
        d.bottom = std::max(d.bottom, y);
        d.white = d.white || (a[i] == 255 && a[i + 1] == 255 && a[i + 2] == 255);
    }
    return d;
}

// The level's texts, as the score board names them.
const char* const kTexts[] = {"Score_felled", "Score_time", "Paused", "Result", "PlayAgain"};

class LevelLabTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(directory_.ready()); }
    void TearDown() override {
        ovra::Time::fps = 60;
        GETAPP().setClock(nullptr);
    }

    // Builds the level, answering the lines it wrote meanwhile.
    std::vector<std::string> initialize() {
        CapturedStdout out;
        level_.initialize();
        return out.lines();
    }
    void run() { GETAPP().run(container_, input_, level_); }

    Environment& environment() { return static_cast<Environment&>(*level_.getRootEntity().getChild(1)); }
    ovra::Entity& entity(const std::string& name) {
        return *static_cast<ovra::Entity*>(environment().findChild(name, false));
    }
    // A zombie in play beside the cat, so that the game ends within seconds of game time.
    void zombieBesideTheCat() {
        ovra::Entity& zombie = entity("Zombie99");
        zombie.getTransform().setPosition(1.5f, 0.1f, 0.0f);
        zombie.enable(true);
    }
    // Frames of exactly 0.1 s of game time.
    void useTenthSecondFrames() {
        GETAPP().setClock(&clock_);
        ovra::Time::fps = 10;
    }
    ovra::Text2D& text(const std::string& name) {
        return *static_cast<ovra::Text2D*>(level_.getRootEntity2D().findChild(name, false));
    }
    std::map<std::string, int> renderCounts() {
        std::map<std::string, int> counts;
        for (const char* name : kTexts) {
            counts[name] = text(name).getRenderCount();
        }
        return counts;
    }
    // Takes the font away: the text draws nothing from the next frame on, whatever it says.
    void blank(const std::string& name) { text(name).setFont(nullptr); }
    ovra::Entity2D& overlay(unsigned int i) {
        return static_cast<ovra::Entity2D&>(*level_.getRootEntity2D().getChild(i));
    }

    GameWorkingDirectory directory_;
    FakeClock clock_;
    FakeContainer container_;
    ScriptedInput input_;
    LevelLab level_;
};

}  // namespace

TEST_F(LevelLabTest, InitializeBuildsCameraWorldFloorAndDisplayInOrder) {
    EXPECT_EQ(initialize(), std::vector<std::string>()) << "every shader and image loads from ../Ressources/";
    ASSERT_TRUE(level_.isReady());

    EXPECT_EQ(childNames(level_.getRootEntity()), (std::vector<std::string>{"Camera", "Environment", "Floor"}));
    EXPECT_EQ(childNames(level_.getRootEntity2D()),
              (std::vector<std::string>{"Avatar", "Avatar_lifebar", "GameOver", "Score_felled", "Score_time", "Paused",
                                        "Result", "PlayAgain"}));

    auto& cameraEntity = static_cast<ovra::Entity&>(*level_.getRootEntity().getChild(0));
    EXPECT_EQ(level_.getCamera(), cameraEntity.getComponent(ovra::Component::CAMERA)) << "the level's camera";
    ASSERT_NE(level_.getCamera(), nullptr);
    const glm::vec3& position = cameraEntity.getTransform().getPosition();
    EXPECT_NEAR(position.x, 0.0f, 1e-6f);
    EXPECT_NEAR(position.y, 20.0f, 1e-6f);
    EXPECT_NEAR(position.z, 0.0f, 1e-6f);
    // A quarter turn about the left axis (+x).
    const glm::quat& rotation = cameraEntity.getTransform().getRotation();
    EXPECT_NEAR(rotation.w, 0.7071068f, 1e-6f);
    EXPECT_NEAR(rotation.x, 0.7071068f, 1e-6f);
    EXPECT_NEAR(rotation.y, 0.0f, 1e-6f);
    EXPECT_NEAR(rotation.z, 0.0f, 1e-6f);

    EXPECT_EQ(overlay(0).getPosition(), glm::ivec2(100, 100));
    EXPECT_EQ(overlay(1).getPosition(), glm::ivec2(100, 204)) << "under the 128-pixel avatar, 40 pixels apart";
    EXPECT_EQ(overlay(2).getPosition(), glm::ivec2(640, 360));
    EXPECT_TRUE(overlay(0).isEnabled(false));
    EXPECT_TRUE(overlay(1).isEnabled(false));
    EXPECT_FALSE(overlay(2).isEnabled(false)) << "the banner waits for the game's end";
    // The bar took its placement as the full bar's reference.
    static_cast<LifeBar&>(overlay(1)).setLifePercent(0.5f);
    EXPECT_EQ(overlay(1).getPosition(), glm::ivec2(68, 204));
}

// Escape released in the third poll: that frame still runs to its end and writes its line.
TEST_F(LevelLabTest, WritesAStatusLineEveryFrameAndQuitsAfterTheFrameEscapeIsReleased) {
    initialize();
    ASSERT_TRUE(level_.isReady());
    ovra::Time::fps = 0;
    input_.onPoll = [](int poll, ScriptedInput& input) {
        if (poll == 3) {
            input.releaseEscape();
        }
    };
    CapturedStdout out;
    run();

    EXPECT_EQ(input_.polls, 3);
    EXPECT_EQ(statusLines(out), std::vector<std::string>(3, "Player life:100  Is gameover: false"));
    EXPECT_EQ(overlay(1).getSize(), glm::ivec2(128, 10)) << "full health, full bar";
    EXPECT_EQ(overlay(1).getPosition(), glm::ivec2(100, 204));
    EXPECT_FALSE(overlay(2).isEnabled(true));

    // The last frame as drawn: the floor fills the middle (x 320 to 960 at this camera
    // height), the margins keep the clear colour, the full red bar sits under the avatar.
    EXPECT_TRUE(isClearColor(windowPixel(300, 360))) << "left of the floor";
    EXPECT_TRUE(isClearColor(windowPixel(980, 360))) << "right of the floor";
    EXPECT_FALSE(isClearColor(windowPixel(340, 360))) << "floor near its left edge";
    EXPECT_FALSE(isClearColor(windowPixel(940, 600))) << "floor near its bottom right";
    EXPECT_TRUE(isColor(windowPixel(40, 204), {255, 0, 0}));
    EXPECT_TRUE(isColor(windowPixel(160, 204), {255, 0, 0}));
}

// One zombie placed beside the cat strikes every half second of a clock that advances
// exactly 0.1 s a frame, until the tenth blow; the frames after it are frozen and over.
TEST_F(LevelLabTest, AfterTheFatalBlowShowsTheBannerKeepsTheBarAndSaysYes) {
    initialize();
    ASSERT_TRUE(level_.isReady());
    auto* zombie = static_cast<ovra::Entity*>(environment().findChild("Zombie99", false));
    ASSERT_NE(zombie, nullptr);
    zombie->getTransform().setPosition(1.5f, 0.1f, 0.0f);
    zombie->enable(true);

    FakeClock clock;
    GETAPP().setClock(&clock);
    ovra::Time::fps = 10;
    int overSince = 0;
    input_.onPoll = [&](int poll, ScriptedInput& input) {
        if (environment().isGameOver() && overSince == 0) {
            overSince = poll;
        }
        if ((overSince != 0 && poll == overSince + 2) || poll == 200) {
            input.releaseEscape();
        }
    };
    CapturedStdout out;
    run();

    ASSERT_NE(overSince, 0) << "the game did not end within 20 s of game time";
    const std::vector<std::string> status = statusLines(out);
    ASSERT_GE(status.size(), 4u);
    auto firstOver = status.begin();
    while (firstOver != status.end() && firstOver->find("yes") == std::string::npos) {
        ++firstOver;
    }
    ASSERT_NE(firstOver, status.begin());
    ASSERT_EQ(status.end() - firstOver, 4) << "the fatal frame and the three after it";
    for (auto it = firstOver; it != status.end(); ++it) {
        EXPECT_EQ(*it, "Player life:0  Is gameover: yes");
    }
    EXPECT_EQ(status.front(), "Player life:100  Is gameover: false");

    const std::string lastPlaying = *(firstOver - 1);
    const int lastHealth = std::stoi(lastPlaying.substr(std::string("Player life:").size()));
    EXPECT_EQ(lastPlaying, "Player life:" + std::to_string(lastHealth) + "  Is gameover: false");
    const int width = static_cast<int>(static_cast<float>(lastHealth) * 0.01f * 128.0f);
    EXPECT_EQ(overlay(1).getSize(), glm::ivec2(width, 10)) << "the bar as the last frame before the blow left it";
    EXPECT_EQ(overlay(1).getPosition(), glm::ivec2(100 - (128 - width) / 2, 204));
    EXPECT_TRUE(overlay(2).isEnabled(true)) << "the banner is shown";
    EXPECT_EQ(environment().getPlayerHealth(), 0);
    // The banner's centre texel, drawn over the world.
    EXPECT_TRUE(isColor(windowPixel(640, 360), {102, 14, 16}, 6));
}

// Return before the end does nothing; after it, a new game starts in that very frame: a new
// world with the cat whole in the middle and no zombie in play, the bar full, the banner gone.
TEST_F(LevelLabTest, ReturnAfterTheGameOverStartsANewGameInAFreshWorld) {
    initialize();
    ASSERT_TRUE(level_.isReady());
    zombieBesideTheCat();
    useTenthSecondFrames();
    const int64_t firstWorld = environment().getID();
    int64_t worldAfterEarlyReturn = 0;
    int overSince = 0;
    input_.onPoll = [&](int poll, ScriptedInput& input) {
        if (poll == 2) {
            input.up.insert(ovra::Input::k_RETURN);
        }
        if (poll == 3) {
            worldAfterEarlyReturn = environment().getID();
        }
        if (environment().isGameOver() && overSince == 0) {
            overSince = poll;
        }
        if (overSince != 0 && poll == overSince + 2) {
            input.up.insert(ovra::Input::k_KEYPAD_ENTER);
        }
        if ((overSince != 0 && poll == overSince + 5) || poll == 300) {
            input.releaseEscape();
        }
    };
    CapturedStdout out;
    run();

    ASSERT_NE(overSince, 0) << "the game did not end within 30 s of game time";
    EXPECT_EQ(worldAfterEarlyReturn, firstWorld) << "Return during play changed the world";
    EXPECT_NE(environment().getID(), firstWorld) << "no new world";
    EXPECT_EQ(childNames(level_.getRootEntity()), (std::vector<std::string>{"Camera", "Environment", "Floor"}));
    EXPECT_FALSE(environment().isGameOver());
    EXPECT_EQ(environment().getPlayerHealth(), 100);
    EXPECT_EQ(environment().getResult().zombiesFelled, 0);
    EXPECT_NEAR(environment().getResult().millisecondsSurvived, 300, 1) << "three frames of the new world";
    EXPECT_EQ(entity("Player").getTransform().getWorldPosition(), glm::vec3(0.0f));
    for (int i = 0; i < 100; ++i) {
        EXPECT_FALSE(entity("Zombie" + std::to_string(i)).isEnabled(false)) << "Zombie" << i << " in play";
    }
    EXPECT_EQ(overlay(1).getSize(), glm::ivec2(128, 10)) << "the bar is full again";
    EXPECT_EQ(overlay(1).getPosition(), glm::ivec2(100, 204));
    EXPECT_FALSE(overlay(2).isEnabled(false)) << "the banner is hidden";

    // The poll that first sees the game over comes after the frame of the fatal blow: that
    // frame and the two after it say "yes"; from the frame of Enter on, the first line again.
    const std::vector<std::string> status = statusLines(out);
    const auto fatal = static_cast<size_t>(overSince - 2);
    ASSERT_EQ(status.size(), fatal + 7);
    for (size_t i = fatal; i < fatal + 3; ++i) {
        EXPECT_EQ(status[i], "Player life:0  Is gameover: yes") << "frame " << i + 1;
    }
    EXPECT_NE(status[fatal - 1], "Player life:0  Is gameover: yes");
    for (size_t i = fatal + 3; i < status.size(); ++i) {
        EXPECT_EQ(status[i], "Player life:100  Is gameover: false") << "frame " << i + 1;
    }
    // The finished game became the best, kept where the user's data goes.
    EXPECT_EQ(level_.getBestResult().zombiesFelled, 0);
    EXPECT_EQ(level_.getBestResult().millisecondsSurvived, level_.getLastResult().millisecondsSurvived);
    EXPECT_GT(level_.getLastResult().millisecondsSurvived, 0);
    std::ifstream best(directory_.dataFolder() + "best");
    std::string header;
    EXPECT_TRUE(std::getline(best, header));
    EXPECT_EQ(header, "brimwold-best 1");
}

// P in frame 3 pauses from frame 4 on; P in frame 13 resumes from frame 14 on. While paused nothing moves or
// ages: the zombie stands, the spawn timer and the time survived stop, and the status
// line still goes out every frame.
TEST_F(LevelLabTest, WhilePausedNothingMovesOrAgesAndTheStatusLineGoesOn) {
    initialize();
    ASSERT_TRUE(level_.isReady());
    ovra::Entity& walker = entity("Zombie99");
    walker.getTransform().setPosition(6.0f, 0.1f, 0.0f);
    walker.enable(true);
    useTenthSecondFrames();
    glm::vec3 pausedAt(0.0f);
    Score pausedResult;
    bool stood = true;
    bool aged = false;
    input_.onPoll = [&](int poll, ScriptedInput& input) {
        if (poll == 3 || poll == 13) {
            input.up.insert(ovra::Input::k_P);
        }
        if (poll == 4) {
            pausedAt = walker.getTransform().getWorldPosition();
            pausedResult = environment().getResult();
        }
        if (poll > 4 && poll <= 14) {
            stood = stood && walker.getTransform().getWorldPosition() == pausedAt && (poll == 14 || level_.isPaused());
            aged = aged || environment().getResult().millisecondsSurvived != pausedResult.millisecondsSurvived ||
                   entity("Zombie0").isEnabled(false);
        }
        if (poll == 17) {
            input.releaseEscape();
        }
    };
    CapturedStdout out;
    run();

    EXPECT_TRUE(stood) << "the world moved while paused";
    EXPECT_FALSE(aged) << "the world aged while paused";
    EXPECT_EQ(pausedResult.millisecondsSurvived, 300);
    EXPECT_FALSE(level_.isPaused());
    EXPECT_LT(walker.getTransform().getWorldPosition().x, pausedAt.x - 0.5f) << "walks on after P";
    // Frames 1 to 3 and 14 to 17 counted: 0.7 s, so the first zombie has not come yet.
    EXPECT_EQ(environment().getResult().millisecondsSurvived, 700);
    EXPECT_FALSE(entity("Zombie0").isEnabled(false));
    EXPECT_EQ(statusLines(out), std::vector<std::string>(17, "Player life:100  Is gameover: false"));
}

// The same frame with and without the texts: while playing they are drawn in the top-right
// corner alone (x from 1000, y up to 120), where the picture has only the clear colour.
TEST_F(LevelLabTest, WhilePlayingTheScoreIsDrawnInTheTopRightCornerAlone) {
    initialize();
    ASSERT_TRUE(level_.isReady());
    useTenthSecondFrames();
    std::vector<unsigned char> shown;
    std::vector<unsigned char> blanked;
    input_.onPoll = [&](int poll, ScriptedInput& input) {
        // The back buffer still holds the frame before this poll's. No zombie enters before 1 s.
        if (poll == 4) {
            shown = windowFrame(1280, 720);
            for (const char* name : kTexts) {
                blank(name);
            }
        }
        if (poll == 5) {
            blanked = windowFrame(1280, 720);
            input.releaseEscape();
        }
    };
    run();

    EXPECT_EQ(text("Score_felled").getText(), "Zombies felled: 0");
    EXPECT_EQ(text("Score_time").getText(), "Time: 0:00");
    const Difference drawn = differenceOf(shown, blanked);
    ASSERT_FALSE(drawn.empty()) << "no text drawn";
    EXPECT_GE(drawn.left, 1000) << drawn;
    EXPECT_LE(drawn.bottom, 120) << drawn;
    EXPECT_TRUE(drawn.white) << "white glyphs";
}

// On the game-over screen the result and how to play again show in the band under the
// banner (y 655 to 705), each rendered once; no text renders again and no pixel changes from
// one frame to the next: the world and its words stay still.
TEST_F(LevelLabTest, TheGameOverScreenShowsItsLinesInTheBandOnceAndStaysStill) {
    initialize();
    ASSERT_TRUE(level_.isReady());
    zombieBesideTheCat();
    useTenthSecondFrames();
    int overSince = 0;
    std::vector<unsigned char> first;
    std::vector<unsigned char> later;
    std::vector<unsigned char> blanked;
    std::map<std::string, int> firstCounts;
    std::map<std::string, int> laterCounts;
    input_.onPoll = [&](int poll, ScriptedInput& input) {
        if (environment().isGameOver() && overSince == 0) {
            overSince = poll;
        }
        // The fatal blow's frame, the one before poll overSince, already shows the screen.
        if (overSince != 0 && poll == overSince + 1) {
            first = windowFrame(1280, 720);
            firstCounts = renderCounts();
        }
        if (overSince != 0 && poll == overSince + 3) {
            later = windowFrame(1280, 720);
            laterCounts = renderCounts();
            blank("Result");
            blank("PlayAgain");
        }
        if ((overSince != 0 && poll == overSince + 4) || poll == 300) {
            blanked = windowFrame(1280, 720);
            input.releaseEscape();
        }
    };
    run();

    ASSERT_NE(overSince, 0) << "the game did not end within 30 s of game time";
    EXPECT_EQ(text("PlayAgain").getText(), "Press Return to play again");
    EXPECT_EQ(text("Result").getText().rfind("This game: 0 zombies in 0:", 0), 0u) << text("Result").getText();
    EXPECT_EQ(firstCounts["Result"], 1);
    EXPECT_EQ(firstCounts["PlayAgain"], 1);
    EXPECT_EQ(laterCounts, firstCounts) << "a text rendered again on the game-over screen";
    const Difference moved = differenceOf(first, later);
    EXPECT_TRUE(moved.empty()) << "pixels changed two frames apart: " << moved;
    const Difference lines = differenceOf(later, blanked);
    ASSERT_FALSE(lines.empty()) << "no game-over lines drawn";
    EXPECT_GE(lines.top, 655) << lines;
    EXPECT_LE(lines.bottom, 705) << lines;
    EXPECT_TRUE(lines.white) << "white glyphs";
}
