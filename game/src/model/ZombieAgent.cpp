#include "model/ZombieAgent.hpp"

#include "entities/Zombie.hpp"
#include "model/ZombieBehaviour.hpp"

ZombieAgent::ZombieAgent(const std::string& name)
    : Agent(2.0f, 2.0f, 100, 10, 0),
      zombieEntity_(new Zombie(name)),
      zombieBehaviour_(std::make_shared<ZombieBehaviour>()) {}

ovra::Entity* ZombieAgent::getEntity() { return zombieEntity_; }
