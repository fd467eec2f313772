#ifndef GAMEOVER_HPP
#define GAMEOVER_HPP

#include "gui/OverlayQuad.hpp"

#include <string>

// The game-over banner on the overlay: a 1024 x 578 textured quad, shown once the player falls.
class GameOver : public OverlayQuad {
public:
    explicit GameOver(const std::string& name);
};

#endif
