#ifndef CAT_HPP
#define CAT_HPP

#include "entities/Sprite.hpp"

// The cat's sprite: "cat_01.png" on a 2 x 2 square just above the floor.
class Cat : public Sprite {
public:
    Cat(const std::string& name, ovra::Shader& shader);
    // A null shader gives a cat that is never drawn (no material).
    Cat(const std::string& name, ovra::Shader* shader);
    ~Cat() override = default;
};

#endif
