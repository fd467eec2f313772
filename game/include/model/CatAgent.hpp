#ifndef CATAGENT_HPP
#define CATAGENT_HPP

#include "model/Agent.hpp"

#include <memory>
#include <string>

class Cat;

// A cat: fast, fragile and hard-hitting; the player's cat is steered by the player's input.
class CatAgent : public Agent {
public:
    // Builds its `Cat` sprite with the shader registered as "simple_shader"; the sprite
    // belongs to whoever attaches it. Only the player gets a behaviour.
    CatAgent(const std::string& name, bool isPlayer);
    ~CatAgent() override = default;

    ovra::Entity* getEntity() override;
    // Empty for a cat that is not the player.
    std::shared_ptr<AgentBehavior> getBehavior() override { return catBehaviour_; }

private:
    Cat* catEntity_;
    std::shared_ptr<AgentBehavior> catBehaviour_;
};

#endif
