#include "model/Weapon.hpp"

#include "Ovra3D/Time.hpp"

void Weapon::update() {
    if (!mustWait_) {
        return;
    }
    fireTimer_ += ovra::Time::deltaTime;
    if (fireTimer_ >= fireRate_) {
        fireTimer_ = 0.0f;
        mustWait_ = false;
    }
}

bool Weapon::fire() {
    if (mustWait_) {
        return false;
    }
    mustWait_ = true;
    return true;
}
