#ifndef PLAYERBEHAVIOUR_HPP
#define PLAYERBEHAVIOUR_HPP

#include "model/AgentBehavior.hpp"

// The player's cat: W A S D move it along the world axes, it faces the floor
// point under the pointer, and the left button asks for a blow.
class PlayerBehaviour : public AgentBehavior {
public:
    PlayerBehaviour() = default;

    // Reads input and the current camera through the application; only `transform` is used.
    void update(const Agent& agent, const ovra::Transform& transform, const AgentList& allied,
                const AgentList& enemies) override;
    const Motion& getMotion() const override { return currentMotion_; }
    ACTION getAction() const override { return currentAction_; }

private:
    void updateDirection();
    // Keeps the previous heading when the pointer gives no usable aim (over the cat, no camera).
    void updateAngle(const ovra::Transform& transform);

    Motion currentMotion_;
    ACTION currentAction_ = NONE;
};

#endif
