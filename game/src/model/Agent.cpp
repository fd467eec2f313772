#include "model/Agent.hpp"

#include <iostream>

Agent::Agent(float moveSpeed, float size, int health, int attack, int defense)
    : moveSpeed_(moveSpeed), size_(size), health_(health), attack_(attack), defense_(defense) {}

Agent::Agent() : Agent(1.0f, 1.0f, 100, 1, 0) {}

bool Agent::inflictDamage(int attackStrength) {
    std::cout << "health before: " << health_;
    // No clamping: a blow weaker than the defence heals.
    health_ -= attackStrength - defense_;
    std::cout << "   after: " << health_ << std::endl;
    return health_ <= 0;
}
