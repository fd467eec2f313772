#ifndef BRIMWOLD_WORKSHOP_STANDINAGENT_HPP
#define BRIMWOLD_WORKSHOP_STANDINAGENT_HPP

// An agent with the game's statistics and no behaviour, shown by a plain entity of its own
// or by none: the game's agents need textures, which tests and benches do without.

#include "model/Agent.hpp"

#include "Ovra3D/Entity.hpp"

#include <glm/vec3.hpp>

#include <memory>

class StandInAgent : public Agent {
public:
    // Without an entity.
    using Agent::Agent;
    // Shown by an entity of its own at `position`, its transform already applied.
    explicit StandInAgent(const glm::vec3& position);

    ovra::Entity* getEntity() override { return entity_.get(); }
    std::shared_ptr<AgentBehavior> getBehavior() override { return nullptr; }

private:
    std::unique_ptr<ovra::Entity> entity_;
};

#endif
