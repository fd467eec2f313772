#include "StandInAgent.hpp"

StandInAgent::StandInAgent(const glm::vec3& position) : entity_(std::make_unique<ovra::Entity>("stand-in")) {
    entity_->getTransform().setPosition(position);
    entity_->getTransform().applyUpdates();
}
