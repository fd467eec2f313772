#ifndef AGENT_HPP
#define AGENT_HPP

#include "model/Weapon.hpp"

#include <memory>

namespace ovra {
class Entity;
}
class AgentBehavior;

// A fighter of the game: movement and combat statistics, a weapon, and the
// entity and behaviour that a concrete agent binds to it.
class Agent {
public:
    Agent(float moveSpeed, float size, int health, int attack, int defense);
    Agent();
    virtual ~Agent() = default;

    // The entity belongs to the scene tree, never to the agent.
    virtual ovra::Entity* getEntity() = 0;
    virtual std::shared_ptr<AgentBehavior> getBehavior() = 0;

    float getMoveSpeed() const { return moveSpeed_; }
    float getSize() const { return size_; }
    int getHealth() const { return health_; }
    int getAttack() const { return attack_; }
    int getDefense() const { return defense_; }
    void setHealth(int h) { health_ = h; }
    Weapon& getWeapon() { return weapon_; }

    // Applies one blow, reports it on standard output and answers whether the agent died.
    bool inflictDamage(int attackStrength);

private:
    Weapon weapon_;
    float moveSpeed_;
    float size_;
    int health_;
    int attack_;
    int defense_;
};

#endif
