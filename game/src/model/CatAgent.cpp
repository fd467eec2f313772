#include "model/CatAgent.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "entities/Cat.hpp"
#include "model/PlayerBehaviour.hpp"

CatAgent::CatAgent(const std::string& name, bool isPlayer)
    : Agent(10.0f, 1.0f, 100, 50, 0),
      catEntity_(new Cat(name, ovra::ObjectManager::getShader("simple_shader"))),
      catBehaviour_(isPlayer ? std::make_shared<PlayerBehaviour>() : nullptr) {}

ovra::Entity* CatAgent::getEntity() { return catEntity_; }
