#include "Ovra3D/2D/Text2D.hpp"

#include "GpuTestSupport.hpp"

#include "Ovra3D/widgets/Font.hpp"

#include <SDL2/SDL_surface.h>
#include <malloc.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using gputest::Scene;
using ovra::Font;
using ovra::Text2D;

namespace {

const char* const kFamily = "DejaVu Sans";
// U+2588 FULL BLOCK: a glyph that covers its cell, so its middle is solid.
const std::string kBlocks = "\xe2\x96\x88\xe2\x96\x88";

// A text on the overlay of a one-frame scene, drawn with the repository's overlay shader.
class Text2DTest : public ::testing::Test {
protected:
    Text2D& addText(const glm::ivec2& position) {
        auto* text = new Text2D("text", shader2D_.get());
        text->setPosition(position);
        scene_.level.getRootEntity2D().attach(*text);
        return *text;
    }

    std::unique_ptr<ovra::Shader> shader2D_ = gputest::makeRepoShader("simple_2D_shader");
    std::shared_ptr<const Font> font_ = std::make_shared<Font>(kFamily, 32);
    Scene scene_{false};
};

TEST_F(Text2DTest, DrawsItsTextInItsColourOverItsOwnRectangle) {
    ASSERT_TRUE(font_->isOpen());
    Text2D& text = addText({400, 200});
    text.setFont(font_);
    text.setText(kBlocks);
    text.setColor(ovra::Color(1.0f, 0.5f, 0.0f));
    scene_.drawFrames();

    const glm::ivec2 size = text.getSize();
    EXPECT_GT(size.x, 32);
    EXPECT_GE(size.y, 32);
    EXPECT_TRUE(isColor(windowPixel(400, 200), {255, 128, 0})) << "middle of the blocks";
    EXPECT_TRUE(isColor(windowPixel(400 - size.x / 4, 200), {255, 128, 0})) << "first block";
    EXPECT_TRUE(isClearColor(windowPixel(400 - size.x / 2 - 2, 200))) << "left of the text";
    EXPECT_TRUE(isClearColor(windowPixel(400 + size.x / 2 + 1, 200))) << "right of the text";
    EXPECT_TRUE(isClearColor(windowPixel(400, 200 - size.y / 2 - 1))) << "above the text";

    // A new colour is the material's: the image stays.
    text.setColor(ovra::Color(0.0f, 0.0f, 1.0f));
    scene_.drawFrames();
    EXPECT_TRUE(isColor(windowPixel(400, 200), {0, 0, 255}));
    EXPECT_EQ(text.getRenderCount(), 1);
}

TEST_F(Text2DTest, RendersAgainOnlyWhenTheTextOrTheFontChanges) {
    Text2D& text = addText({300, 300});
    const auto larger = std::make_shared<Font>(kFamily, 48);
    const struct {
        const char* step;
        std::function<void()> change;
        int renders;
    } steps[] = {
        {"font without text", [&] { text.setFont(font_); }, 0},
        {"first text", [&] { text.setText("Felled 3  0:12"); }, 1},
        {"same text", [&] { text.setText("Felled 3  0:12"); }, 1},
        {"same font", [&] { text.setFont(font_); }, 1},
        {"colour", [&] { text.setColor(ovra::Color(0.0f, 1.0f, 0.0f)); }, 1},
        {"new text", [&] { text.setText("Felled 4  0:13"); }, 2},
        {"other font", [&] { text.setFont(larger); }, 3},
        {"empty text", [&] { text.setText(""); }, 3},
        {"text again", [&] { text.setText("Felled 4  0:13"); }, 4},
    };
    for (const auto& s : steps) {
        s.change();
        scene_.drawFrames();
        EXPECT_EQ(text.getRenderCount(), s.renders) << s.step;
    }
}

TEST_F(Text2DTest, SizeFollowsTheRenderedTextInEvenPixels) {
    Text2D& text = addText({640, 360});
    text.setFont(font_);
    EXPECT_EQ(text.getSize(), glm::ivec2(0, 0)) << "no text yet";

    text.setText("iii");
    const glm::ivec2 narrow = text.getSize();
    text.setText("WWW");
    const glm::ivec2 wide = text.getSize();
    EXPECT_GT(wide.x, narrow.x + 20);
    EXPECT_EQ(wide.y, narrow.y);
    for (const glm::ivec2& size : {narrow, wide}) {
        EXPECT_EQ(size.x % 2, 0);
        EXPECT_EQ(size.y % 2, 0);
    }

    text.setFont(std::make_shared<Font>(kFamily, 64));
    EXPECT_GT(text.getSize().y, wide.y + 20) << "a larger font";

    text.setText("");
    EXPECT_EQ(text.getSize(), glm::ivec2(0, 0));
    scene_.drawFrames();
    EXPECT_TRUE(isClearColor(windowPixel(640, 360))) << "an empty text draws nothing";
}

TEST_F(Text2DTest, UnknownFamilyGivesOneErrorLineAndTheTextDrawsNothing) {
    CapturedStdout out;
    const auto missing = std::make_shared<Font>("No Such Family Anywhere", 32);
    EXPECT_FALSE(missing->isOpen());
    EXPECT_EQ(missing->getFile(), "");
    EXPECT_EQ(out.lines(),
              std::vector<std::string>{"ERROR: Ovra: Font: no font of family \"No Such Family Anywhere\""});

    out.clear();
    Text2D& text = addText({640, 360});
    text.setFont(missing);
    text.setText(kBlocks);
    scene_.drawFrames();
    EXPECT_EQ(text.getRenderCount(), 0);
    EXPECT_EQ(text.getSize(), glm::ivec2(0, 0));
    EXPECT_TRUE(isClearColor(windowPixel(640, 360)));
    EXPECT_EQ(out.text(), "") << "one line for the font, none for each text";
}

TEST(Font, FamiliesAreFoundByNameWhateverTheBlanksAndCase) {
    const std::string file = Font::findFile("DejaVu Sans");
    EXPECT_NE(file.find("DejaVuSans"), std::string::npos) << file;
    EXPECT_EQ(Font::findFile("dejavusans"), file);
    EXPECT_EQ(Font::findFile("DejaVu Sans:bold").find("Bold") != std::string::npos, true);
    EXPECT_EQ(Font::findFile("No Such Family Anywhere"), "");
    EXPECT_EQ(Font::findFile(""), "");
}

// A level built again makes its fonts again: the font library's memory for a face it has
// drawn with must not be paid each time (it was some 700 bytes). The median change from one
// font to the next is blind to the rare step of a cache growing. The sanitizer's allocator
// keeps no such count.
TEST(Font, MakingAFontAgainAndDrawingWithItCostsNoNewMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the heap in use is not counted under AddressSanitizer";
#else
    std::vector<long> changes;
    long before = static_cast<long>(mallinfo2().uordblks);
    for (int again = 0; again < 31; ++again) {
        {
            const Font font(kFamily, 18);
            SDL_FreeSurface(font.render("Zombies felled: 12"));
        }
        const long now = static_cast<long>(mallinfo2().uordblks);
        changes.push_back(now - before);
        before = now;
    }
    std::nth_element(changes.begin(), changes.begin() + changes.size() / 2, changes.end());
    EXPECT_LT(changes[changes.size() / 2], 64) << "median growth of the heap in use from one font to the next";
#endif
}

TEST(Font, NonPositiveSizeIsRefusedWithALine) {
    CapturedStdout out;
    const Font font(kFamily, 0);
    EXPECT_FALSE(font.isOpen());
    EXPECT_EQ(out.lines(), std::vector<std::string>{"ERROR: Ovra: Font: pixel size 0 for \"DejaVu Sans\""});
}

}  // namespace
