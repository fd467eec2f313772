#include "Ovra3D/Camera.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/Entity.hpp"
#include "Ovra3D/GLContainer.hpp"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>
#include <iostream>

namespace ovra {

namespace {

// 1 / tan(half of `degrees`), worked out in double so that the usual angles give the nearest floats.
float scaleOfFieldOfView(float degrees) {
    const double pi = 3.14159265358979323846;
    return static_cast<float>(1.0 / std::tan(static_cast<double>(degrees) * pi / 360.0));
}

bool isFinite(const glm::vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

Camera::Camera(Entity& containerEntity)
    : Component(containerEntity), containerEntity_(containerEntity), projection_(defaultProjection(kDefaultAspect)) {
    refreshProjection();
}

void Camera::updateView() {
    const Transform& transform = containerEntity_.getTransform();
    view_ = glm::mat4_cast(transform.getRotation()) * glm::translate(glm::mat4(1.0f), -transform.getPosition());
    refreshProjection();
}

void Camera::setProjection(const glm::mat4& projection) {
    projection_ = projection;
    projectionFixed_ = true;
}

void Camera::setFieldsOfView(float horizontalDegrees, float verticalDegrees) {
    if (!(horizontalDegrees > 0.0f && horizontalDegrees < 180.0f) ||
        !(verticalDegrees > 0.0f && verticalDegrees < 180.0f)) {
        std::cout << "ERROR: Ovra: Camera: fields of view out of range: " << horizontalDegrees << ", "
                  << verticalDegrees << std::endl;
        return;
    }
    glm::mat4 projection = defaultProjection(1.0f);
    projection[0][0] = scaleOfFieldOfView(horizontalDegrees);
    projection[1][1] = scaleOfFieldOfView(verticalDegrees);
    setProjection(projection);
}

void Camera::resetProjection() {
    projectionFixed_ = false;
    projection_ = defaultProjection(kDefaultAspect);
    refreshProjection();
}

glm::mat4 Camera::defaultProjection(float aspect) {
    const float vertical = scaleOfFieldOfView(kVerticalFieldOfView);
    glm::mat4 projection(0.0f);
    projection[0][0] = vertical / aspect;
    projection[1][1] = vertical;
    projection[2][2] = -(kFar + kNear) / (kFar - kNear);
    projection[2][3] = -1.0f;
    projection[3][2] = -(2.0f * kFar * kNear) / (kFar - kNear);
    return projection;
}

void Camera::refreshProjection() {
    // Outside a run the container may not exist (or no longer): keep the shape known so far.
    if (projectionFixed_ || !GETAPP().isRunning()) {
        return;
    }
    const GLContainer& container = GETCONTAINER();
    const float width = static_cast<float>(container.getWidth());
    const float height = static_cast<float>(container.getHeight());
    if (width > 0.0f && height > 0.0f) {
        projection_ = defaultProjection(width / height);
    }
}

bool Camera::screenToWorldDirection(unsigned int x, unsigned int y, float plane, glm::vec3& point) const {
    point = glm::vec3(0.0f);
    const GLContainer& container = GETCONTAINER();
    const float width = static_cast<float>(container.getWidth());
    const float height = static_cast<float>(container.getHeight());
    if (!(width > 0.0f) || !(height > 0.0f)) {
        return false;
    }
    const glm::mat4 projInv = glm::inverse(projection_ * view_);
    const glm::vec4 in((static_cast<float>(x) / width) * 2.0f - 1.0f, 1.0f - (static_cast<float>(y) / height) * 2.0f,
                       plane, 1.0f);
    const glm::vec4 r = projInv * in;
    const glm::vec3 result = glm::vec3(r) * (1.0f / r.w);
    if (!isFinite(result)) {
        return false;
    }
    point = result;
    return true;
}

glm::vec3 Camera::screenToWorldToPlanePosition(unsigned int x, unsigned int y, const glm::vec3& planePosition,
                                               const glm::vec3& planeNormal) const {
    const glm::vec3& cameraPosition = containerEntity_.getTransform().getWorldPosition();
    glm::vec3 nearPoint;
    glm::vec3 farPoint;
    if (!screenToWorldDirection(x, y, -1.0f, nearPoint) || !screenToWorldDirection(x, y, 1.0f, farPoint) ||
        nearPoint == farPoint) {
        return glm::vec3(0.0f);
    }
    const glm::vec3 direction = glm::normalize(farPoint - nearPoint);
    glm::vec3 intersection;
    LinePlaneIntersection(intersection, cameraPosition, direction, planeNormal, planePosition);
    return isFinite(intersection) ? intersection : glm::vec3(0.0f);
}

glm::vec3 Camera::screenToWorldToCameraPlanePosition(unsigned int x, unsigned int y, float distance) const {
    const Transform& transform = containerEntity_.getTransform();
    const glm::vec3& forward = transform.getWorldForward();
    return screenToWorldToPlanePosition(x, y, transform.getWorldPosition() + forward * distance, -forward);
}

bool LinePlaneIntersection(glm::vec3& intersection, const glm::vec3& linePoint, const glm::vec3& lineVec,
                           const glm::vec3& planeNormal, const glm::vec3& planePoint) {
    intersection = glm::vec3(0.0f);
    const float dotDenominator = glm::dot(lineVec, planeNormal);
    if (dotDenominator == 0.0f) {
        return false;
    }
    const float dotNumerator = glm::dot(planePoint - linePoint, planeNormal);
    const float length = dotNumerator / dotDenominator;
    const glm::vec3 vector = glm::normalize(lineVec) * length;
    intersection = linePoint + vector;
    return true;
}

}  // namespace ovra
