#ifndef FLOOR_HPP
#define FLOOR_HPP

#include "entities/Sprite.hpp"

// The arena's floor: "maps/map_01.png" covering -10 to 10 on x and z at height 0.
class Floor : public Sprite {
public:
    Floor(const std::string& name, ovra::Shader& shader);
    ~Floor() override = default;
};

#endif
