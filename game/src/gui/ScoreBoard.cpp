#include "gui/ScoreBoard.hpp"

#include "Ovra3D/2D/Entity2D.hpp"
#include "Ovra3D/2D/Text2D.hpp"
#include "Ovra3D/widgets/Font.hpp"

#include <string>

namespace {

const char* const kFontFamily = "DejaVu Sans";
// One size for every line, so a missing font costs one error line, not one per size.
const int kPixelSize = 18;
// The corner's texts end 20 pixels from the right edge of the 1280-pixel picture, and the
// game-over lines share the band between the banner's foot (y 649) and the picture's.
const int kCornerRight = 1260;
const int kFelledY = 28;
const int kTimeY = 54;
const int kPausedY = 90;
const int kCentreX = 640;
const int kResultY = 668;
const int kAgainY = 692;

std::string zombies(int count) { return std::to_string(count) + (count == 1 ? " zombie" : " zombies"); }

}  // namespace

ScoreBoard::ScoreBoard(ovra::Entity2D& root, ovra::Shader* shader)
    : font_(std::make_shared<const ovra::Font>(kFontFamily, kPixelSize)) {
    felled_ = addText(root, "Score_felled", shader);
    time_ = addText(root, "Score_time", shader);
    paused_ = addText(root, "Paused", shader);
    result_ = addText(root, "Result", shader);
    again_ = addText(root, "PlayAgain", shader);
}

ovra::Text2D* ScoreBoard::addText(ovra::Entity2D& root, const char* name, ovra::Shader* shader) {
    auto* text = new ovra::Text2D(name, shader);
    text->setFont(font_);
    text->enable(false);
    root.attach(*text);
    return text;
}

void ScoreBoard::showPlaying(const Score& score, bool paused) {
    put(*felled_, "Zombies felled: " + std::to_string(score.zombiesFelled), kCornerRight, 0, kFelledY);
    put(*time_, "Time: " + score.clockText(), kCornerRight, 0, kTimeY);
    felled_->enable(true);
    time_->enable(true);
    if (paused) {
        put(*paused_, "Paused", kCornerRight, 0, kPausedY);
    }
    paused_->enable(paused);
    result_->enable(false);
    again_->enable(false);
}

void ScoreBoard::showGameOver(const Score& result, const Score& best, bool newBest) {
    const std::string bestWords = newBest ? "a new best!"
                                          : "best " + zombies(best.zombiesFelled) + " in " + best.clockText();
    put(*result_,
        "This game: " + zombies(result.zombiesFelled) + " in " + result.clockText() + "  \xE2\x80\x94  " + bestWords, 0,
        kCentreX, kResultY);
    put(*again_, "Press Return to play again", 0, kCentreX, kAgainY);
    paused_->enable(false);
    result_->enable(true);
    again_->enable(true);
}

void ScoreBoard::put(ovra::Text2D& text, const std::string& words, int right, int centreX, int centreY) {
    text.setText(words);
    // A 2D entity is drawn centred on its position; its size is the rendered text's.
    const int x = right > 0 ? right - text.getSize().x / 2 : centreX;
    text.setPosition(x, centreY);
}
