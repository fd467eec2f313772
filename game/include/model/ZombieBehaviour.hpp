#ifndef ZOMBIEBEHAVIOUR_HPP
#define ZOMBIEBEHAVIOUR_HPP

#include "model/AgentBehavior.hpp"

// A zombie's mind: walk straight at the first enemy until within one unit, and face it.
class ZombieBehaviour : public AgentBehavior {
public:
    ZombieBehaviour() = default;

    // Chases `enemies[0]`; with no usable enemy the zombie stands still and keeps its heading.
    void update(const Agent& agent, const ovra::Transform& transform, const AgentList& allies,
                const AgentList& enemies) override;
    const Motion& getMotion() const override { return currentMotion_; }
    ACTION getAction() const override { return NONE; }

private:
    Motion currentMotion_;
};

#endif
