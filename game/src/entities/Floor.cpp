#include "entities/Floor.hpp"

Floor::Floor(const std::string& name, ovra::Shader& shader)
    : Sprite(name, &shader, "maps/map_01.png", glm::vec3(0.0f), 20.0f) {}
