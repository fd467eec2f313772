#ifndef WEAPON_HPP
#define WEAPON_HPP

// A cooldown between blows: after a blow the next one waits until `fireRate_`
// seconds of frame time have passed.
class Weapon {
public:
    Weapon() = default;

    // Advances the cooldown by this frame's delta time; time beyond the period is dropped.
    void update();
    // True (and starts the cooldown) when a blow is allowed now.
    bool fire();
    void setFireRate(float fr) { fireRate_ = fr; }

private:
    float fireRate_ = 0.5f;  // a period in seconds, despite the name
    float fireTimer_ = 0.0f;
    bool mustWait_ = false;
};

#endif
