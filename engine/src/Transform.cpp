#include "Ovra3D/Transform.hpp"

#include <glm/gtc/matrix_transform.hpp>

namespace ovra {

Transform::Transform(const Transform& other)
    : local_(other.local_),
      world_(other.world_),
      localUp_(other.localUp_),
      worldUp_(other.worldUp_),
      localLeft_(other.localLeft_),
      worldLeft_(other.worldLeft_),
      localForward_(other.localForward_),
      worldForward_(other.worldForward_),
      bRotationUpdated_(other.bRotationUpdated_) {}

Transform& Transform::operator=(const Transform& other) {
    if (this != &other) {
        local_ = other.local_;
        world_ = other.world_;
        localUp_ = other.localUp_;
        worldUp_ = other.worldUp_;
        localLeft_ = other.localLeft_;
        worldLeft_ = other.worldLeft_;
        localForward_ = other.localForward_;
        worldForward_ = other.worldForward_;
        bRotationUpdated_ = other.bRotationUpdated_;
    }
    return *this;
}

void Transform::applyUpdates() {
    const glm::mat4 identity(1.0f);
    globalNoScale_ = glm::translate(identity, local_.translation) * glm::mat4_cast(local_.rotation);
    global_ = globalNoScale_ * glm::scale(identity, local_.scale);
    globalOnlyLocalScale_ = global_;

    if (parent_ != nullptr) {
        const Transform& p = *parent_;
        world_.rotation = p.world_.rotation * local_.rotation;
        world_.scale = p.world_.scale * local_.scale;
        world_.translation = p.world_.translation + p.world_.scale * (p.world_.rotation * local_.translation);
        globalOnlyLocalScale_ = p.globalNoScale_ * globalOnlyLocalScale_;
        global_ = p.global_ * global_;
        globalNoScale_ = p.globalNoScale_ * globalNoScale_;
    } else {
        world_ = local_;
    }

    bRotationUpdated_ = true;
    applyUpdatesOnVectors();
}

void Transform::applyUpdatesOnVectors() {
    if (!bRotationUpdated_) {
        return;
    }
    localForward_ = local_.rotation * V_FORWARD;
    localUp_ = local_.rotation * V_UP;
    localLeft_ = local_.rotation * V_LEFT;
    worldForward_ = world_.rotation * V_FORWARD;
    worldUp_ = world_.rotation * V_UP;
    worldLeft_ = world_.rotation * V_LEFT;
    bRotationUpdated_ = false;
}

const glm::vec3& Transform::translate(const glm::vec3& vector) {
    local_.translation += vector;
    return local_.translation;
}

const glm::vec3& Transform::translate(float x, float y, float z) { return translate(glm::vec3(x, y, z)); }

const glm::vec3& Transform::translateLeft(float factor) {
    applyUpdatesOnVectors();
    return translate(localLeft_ * factor);
}

const glm::vec3& Transform::translateUp(float factor) {
    applyUpdatesOnVectors();
    return translate(localUp_ * factor);
}

const glm::vec3& Transform::translateForward(float factor) {
    applyUpdatesOnVectors();
    return translate(localForward_ * factor);
}

const glm::vec3& Transform::translateVectors(const glm::vec3& factors) {
    applyUpdatesOnVectors();
    local_.translation += localLeft_ * factors.x;
    local_.translation += localUp_ * factors.y;
    local_.translation += localForward_ * factors.z;
    return local_.translation;
}

const glm::quat& Transform::rotate(float angle, const glm::vec3& axis) {
    if (angle == 0.0f) {
        return local_.rotation;
    }
    // angleAxis uses the axis as given, without normalising it.
    return rotate(glm::angleAxis(angle, axis));
}

const glm::quat& Transform::rotateAroundLeft(float angle) { return rotate(angle, localLeft_); }

const glm::quat& Transform::rotateAroundUp(float angle) { return rotate(angle, localUp_); }

const glm::quat& Transform::rotateAroundForward(float angle) { return rotate(angle, localForward_); }

const glm::quat& Transform::rotate(const glm::quat& rotation) {
    bRotationUpdated_ = true;
    local_.rotation = rotation * local_.rotation;
    return local_.rotation;
}

const glm::vec3& Transform::scale(const glm::vec3& factors) {
    local_.scale *= factors;
    return local_.scale;
}

const glm::vec3& Transform::scale(float x, float y, float z) { return scale(glm::vec3(x, y, z)); }

const glm::vec3& Transform::scale(float s) { return scale(glm::vec3(s)); }

void Transform::setPosition(const glm::vec3& newPosition) { local_.translation = newPosition; }

void Transform::setPosition(float x, float y, float z) { local_.translation = glm::vec3(x, y, z); }

void Transform::setScale(const glm::vec3& newScale) { local_.scale = newScale; }

void Transform::setScale(float x, float y, float z) { local_.scale = glm::vec3(x, y, z); }

void Transform::setScale(float s) { local_.scale = glm::vec3(s); }

void Transform::setRotation(const glm::quat& newRotation) { local_.rotation = newRotation; }

void Transform::setRotation(float x, float y, float z, float w) { local_.rotation = glm::quat(w, x, y, z); }

void Transform::setRotation(float angle, const glm::vec3& axis) { local_.rotation = glm::angleAxis(angle, axis); }

}  // namespace ovra
