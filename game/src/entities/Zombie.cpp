#include "entities/Zombie.hpp"

#include "Ovra3D/ObjectManager.hpp"

Zombie::Zombie(const std::string& name)
    : Sprite(name, ovra::ObjectManager::getShader("simple_shader"), "zombie01.png", glm::vec3(0.0f, 0.1f, 0.0f), 2.0f) {
}
