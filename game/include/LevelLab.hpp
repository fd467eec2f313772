#ifndef LEVELLAB_HPP
#define LEVELLAB_HPP

#include "Ovra3D/Level.hpp"

// The game's one level.
class LevelLab : public ovra::Level {
public:
    LevelLab() = default;
    ~LevelLab() override = default;

    void initialize() override;
    void update() override;
};

#endif
