#include "model/ZombieBehaviour.hpp"

#include "Ovra3D/Entity.hpp"
#include "model/Agent.hpp"

#include <glm/gtx/vector_angle.hpp>

namespace {

const ovra::Entity* targetEntity(const AgentList& enemies) {
    if (enemies.empty() || !enemies.front()) {
        return nullptr;
    }
    return enemies.front()->getEntity();
}

}  // namespace

void ZombieBehaviour::update(const Agent&, const ovra::Transform& transform, const AgentList&,
                             const AgentList& enemies) {
    currentMotion_.intensity = 1.0f;
    const ovra::Entity* target = targetEntity(enemies);
    if (target == nullptr) {
        currentMotion_.direction = glm::vec2(0.0f);
        return;
    }

    const glm::vec3 distance = target->getTransform().getWorldPosition() - transform.getWorldPosition();
    const float length = glm::length(distance);
    // A target on the zombie itself has no direction; dividing by the length would give NaN.
    const glm::vec3 enemyDirection = length > 0.0f ? distance / length : glm::vec3(0.0f);

    // The stop distance is three-dimensional, as is the direction it walks along.
    currentMotion_.direction = length > 1.0f ? glm::vec2(enemyDirection.x, enemyDirection.z) : glm::vec2(0.0f);

    const float a = glm::orientedAngle(ovra::V_FORWARD, enemyDirection, ovra::V_UP);
    currentMotion_.angle = headingFromAngle(a);
}
