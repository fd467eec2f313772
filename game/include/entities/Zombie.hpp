#ifndef ZOMBIE_HPP
#define ZOMBIE_HPP

#include "entities/Sprite.hpp"

// A zombie's sprite: "zombie01.png" on a 2 x 2 square just above the floor, drawn with
// the shader registered as "simple_shader" (never drawn when there is none).
class Zombie : public Sprite {
public:
    explicit Zombie(const std::string& name);
    ~Zombie() override = default;
};

#endif
