#ifndef ZOMBIEAGENT_HPP
#define ZOMBIEAGENT_HPP

#include "model/Agent.hpp"

#include <memory>
#include <string>

class Zombie;

// A zombie: slow, tough, weak blows; always chases the first enemy it is given.
class ZombieAgent : public Agent {
public:
    // Builds its `Zombie` sprite, which belongs to whoever attaches it.
    explicit ZombieAgent(const std::string& name);
    ~ZombieAgent() override = default;

    ovra::Entity* getEntity() override;
    std::shared_ptr<AgentBehavior> getBehavior() override { return zombieBehaviour_; }

private:
    Zombie* zombieEntity_;
    std::shared_ptr<AgentBehavior> zombieBehaviour_;
};

#endif
