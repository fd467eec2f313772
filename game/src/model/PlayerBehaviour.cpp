#include "model/PlayerBehaviour.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Input.hpp"

#include <glm/gtx/vector_angle.hpp>

#include <cmath>

namespace {

// The sprites are drawn on this plane, so the pointer is aimed on it too.
const glm::vec3 kAimPlanePoint(0.0f, 0.1f, 0.0f);
const glm::vec3 kAimPlaneNormal(0.0f, 1.0f, 0.0f);
// Far below one pixel on the floor (about 0.03 units), far above the pick's rounding.
const float kOverTheCat = 1e-4f;

bool isFinite(const glm::vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

void PlayerBehaviour::update(const Agent&, const ovra::Transform& transform, const AgentList&, const AgentList&) {
    updateDirection();
    updateAngle(transform);
    currentAction_ = GETINPUT().isKeyDown(ovra::Input::k_MOUSE_LEFT) ? ATTACK : NONE;
}

void PlayerBehaviour::updateDirection() {
    ovra::Input& input = GETINPUT();
    float xfactor = 0.0f;
    float zfactor = 0.0f;
    if (input.isKeyDown(ovra::Input::k_W)) {
        zfactor -= 1.0f;
    }
    if (input.isKeyDown(ovra::Input::k_S)) {
        zfactor += 1.0f;
    }
    if (input.isKeyDown(ovra::Input::k_A)) {
        xfactor -= 1.0f;
    }
    if (input.isKeyDown(ovra::Input::k_D)) {
        xfactor += 1.0f;
    }
    // Not normalised: a diagonal is deliberately faster.
    currentMotion_.direction = glm::vec2(xfactor, zfactor);
    currentMotion_.intensity = 1.0f;
}

void PlayerBehaviour::updateAngle(const ovra::Transform& transform) {
    const ovra::Camera* camera = GETCAMERA();
    if (camera == nullptr) {
        return;
    }
    ovra::Input& input = GETINPUT();
    const auto cursorX = static_cast<unsigned int>(input.getMouseX());
    const auto cursorY = static_cast<unsigned int>(input.getMouseY());
    const glm::vec3& position = transform.getWorldPosition();
    const glm::vec3 cursorPosition = camera->screenToWorldToPlanePosition(cursorX, cursorY, kAimPlanePoint,
                                                                          kAimPlaneNormal);

    // With the pointer right over the cat the aim is undefined (the plane pick's rounding
    // leaves a few millionths of a unit in any direction): keep the last heading instead.
    const glm::vec3 aim = cursorPosition - glm::vec3(position.x, kAimPlanePoint.y, position.z);
    if (!isFinite(aim) || glm::length(glm::vec2(aim.x, aim.z)) < kOverTheCat) {
        return;
    }
    const glm::vec3 direction = glm::normalize(aim);

    const float scalarDot = glm::dot(direction, ovra::V_FORWARD);
    if (scalarDot >= 0.999f && scalarDot <= 1.001f) {
        currentMotion_.angle = 0.0f;
        return;
    }
    const glm::vec2 forward2D(ovra::V_FORWARD.x, ovra::V_FORWARD.z);
    const glm::vec2 direction2D(direction.x, direction.z);
    const float angle = -glm::orientedAngle(forward2D, direction2D);
    currentMotion_.angle = headingFromAngle(angle);
}
