#ifndef AVATARICON_HPP
#define AVATARICON_HPP

#include "gui/OverlayQuad.hpp"

#include <string>

// The player's round portrait on the overlay: a 128 x 128 textured quad.
class AvatarIcon : public OverlayQuad {
public:
    explicit AvatarIcon(const std::string& name);
};

#endif
