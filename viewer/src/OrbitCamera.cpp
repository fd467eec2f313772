#include "OrbitCamera.hpp"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>

namespace {

// A three-quarter view from the front, a little from above, so a box shows three faces.
constexpr float kHomeYaw = 0.6f;
constexpr float kHomePitch = 0.45f;
constexpr float kMargin = 1.1f;
constexpr float kRadiansPerPixel = 0.01f;
constexpr float kPitchLimit = 1.5f;
constexpr float kZoomPerStep = 0.9f;
// The engine's camera sees from 0.1 to 100 units.
constexpr float kNearPlane = 0.1f;
constexpr float kFarPlane = 100.0f;

}  // namespace

float OrbitCamera::framingDistance(float radius) { return kMargin * radius / std::sin(kHalfFieldOfView); }

void OrbitCamera::frame(float radius) {
    radius_ = radius > 0.0f ? radius : 1.0f;
    homeDistance_ = framingDistance(radius_);
    reset();
}

void OrbitCamera::reset() {
    yaw_ = kHomeYaw;
    pitch_ = kHomePitch;
    distance_ = homeDistance_;
}

void OrbitCamera::orbit(float dxPixels, float dyPixels) {
    yaw_ -= dxPixels * kRadiansPerPixel;
    pitch_ = std::clamp(pitch_ + dyPixels * kRadiansPerPixel, -kPitchLimit, kPitchLimit);
}

void OrbitCamera::zoom(float steps) {
    // The bounding sphere stays between the near and the far plane.
    const float nearest = radius_ + kNearPlane;
    const float farthest = std::max(nearest, kFarPlane - radius_ - kNearPlane);
    distance_ = std::clamp(distance_ * std::pow(kZoomPerStep, steps), nearest, farthest);
}

glm::vec3 OrbitCamera::getPosition() const {
    return distance_ *
           glm::vec3(std::cos(pitch_) * std::sin(yaw_), std::sin(pitch_), std::cos(pitch_) * std::cos(yaw_));
}

glm::quat OrbitCamera::getRotation() const {
    const glm::mat4 view = glm::lookAt(getPosition(), glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    return glm::quat_cast(glm::mat3(view));
}
