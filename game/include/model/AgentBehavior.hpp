#ifndef AGENTBEHAVIOR_HPP
#define AGENTBEHAVIOR_HPP

#include "Ovra3D/Transform.hpp"

#include <cstdint>
#include <memory>
#include <vector>

class Agent;

// Read-only view of one side's agents, in the order the environment keeps them.
using AgentList = std::vector<std::shared_ptr<Agent>>;

// The mind of an agent: once per frame it decides where the agent wants to go,
// which way it faces and whether it strikes.
class AgentBehavior {
public:
    enum ACTION : int32_t { NONE = 0, DIE = 1, ATTACK = 2 };

    struct Motion {
        glm::vec2 direction{0.0f, 0.0f};  // x is world x, y is world z; its length scales the step
        float angle = 0.0f;               // heading about the world up axis, radians
        float intensity = 0.0f;           // factor on the agent's move speed
    };

    virtual ~AgentBehavior() = default;

    // `transform` is the driven agent's entity transform; `allies` include the agent itself.
    virtual void update(const Agent& agent, const ovra::Transform& transform, const AgentList& allies,
                        const AgentList& enemies) = 0;
    virtual const Motion& getMotion() const = 0;
    virtual ACTION getAction() const = 0;

protected:
    // Signed angle from the world forward axis to a heading: the sprite's front is its
    // local -z, hence the half turn; a near-zero angle stays 0 rather than becoming pi.
    static float headingFromAngle(float angle) {
        const float pi = 3.1415927f;
        return (angle > -0.001f && angle < 0.001f) ? 0.0f : pi + angle;
    }
};

#endif
