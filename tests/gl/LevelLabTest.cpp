#include "CapturedStdout.hpp"
#include "Fakes.hpp"
#include "GameWorkingDirectory.hpp"
#include "WindowPixels.hpp"

#include "LevelLab.hpp"
#include "gui/LifeBar.hpp"
#include "model/Environment.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Time.hpp"

#include <gtest/gtest.h>

#include <functional>
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
    ovra::Entity2D& overlay(unsigned int i) {
        return static_cast<ovra::Entity2D&>(*level_.getRootEntity2D().getChild(i));
    }

    GameWorkingDirectory directory_;
    FakeContainer container_;
    ScriptedInput input_;
    LevelLab level_;
};

}  // namespace

TEST_F(LevelLabTest, InitializeBuildsCameraWorldFloorAndDisplayInOrder) {
    EXPECT_EQ(initialize(), std::vector<std::string>()) << "every shader and image loads from ../Ressources/";
    ASSERT_TRUE(level_.isReady());

    EXPECT_EQ(childNames(level_.getRootEntity()), (std::vector<std::string>{"Camera", "Environment", "Floor"}));
    EXPECT_EQ(childNames(level_.getRootEntity2D()), (std::vector<std::string>{"Avatar", "Avatar_lifebar", "GameOver"}));

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
