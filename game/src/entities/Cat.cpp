#include "entities/Cat.hpp"

Cat::Cat(const std::string& name, ovra::Shader& shader) : Cat(name, &shader) {}

Cat::Cat(const std::string& name, ovra::Shader* shader)
    : Sprite(name, shader, "cat_01.png", glm::vec3(0.0f, 0.1f, 0.0f), 2.0f) {}
