#ifndef SCOREBOARD_HPP
#define SCOREBOARD_HPP

#include "model/Score.hpp"

#include <memory>

namespace ovra {
class Entity2D;
class Font;
class Shader;
class Text2D;
}  // namespace ovra

// The game's words on screen: the zombies felled and the time survived in the top-right
// corner while playing, "Paused" under them, and under the game-over banner this game's
// result, the best so far and how to play again. Without a font it shows nothing.
class ScoreBoard {
public:
    // Builds the texts, hidden, under `root`, drawn with the overlay `shader`.
    ScoreBoard(ovra::Entity2D& root, ovra::Shader* shader);

    // The corner during play; the game-over lines hidden.
    void showPlaying(const Score& score, bool paused);
    // The game-over lines, set once: nothing in them changes until the next game.
    void showGameOver(const Score& result, const Score& best, bool newBest);

private:
    ovra::Text2D* addText(ovra::Entity2D& root, const char* name, ovra::Shader* shader);
    // Sets the text, then places it by its right edge (`right` > 0) or its centre.
    static void put(ovra::Text2D& text, const std::string& words, int right, int centreX, int centreY);

    std::shared_ptr<const ovra::Font> font_;
    ovra::Text2D* felled_ = nullptr;
    ovra::Text2D* time_ = nullptr;
    ovra::Text2D* paused_ = nullptr;
    ovra::Text2D* result_ = nullptr;
    ovra::Text2D* again_ = nullptr;
};

#endif
