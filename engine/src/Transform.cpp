#include "Ovra3D/Transform.hpp"

#include <iostream>

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

namespace {

// Every matrix here is affine (last row 0 0 0 1): the product skips the terms that
// row would contribute as zeros, a quarter of the work of a general 4x4 product.
glm::mat4 affineProduct(const glm::mat4& a, const glm::mat4& b) {
    glm::mat4 r;
    for (int c = 0; c < 3; ++c) {
        r[c] = a[0] * b[c][0] + a[1] * b[c][1] + a[2] * b[c][2];
    }
    r[3] = a[0] * b[3][0] + a[1] * b[3][1] + a[2] * b[3][2] + a[3];
    return r;
}

}  // namespace

void Transform::applyUpdates() {
    // T(translation) * R(rotation): the rotation's columns with the translation as the last one.
    globalNoScale_ = glm::mat4_cast(local_.rotation);
    globalNoScale_[3] = glm::vec4(local_.translation, 1.0f);
    // ... * S(scale): each rotation column scaled by its factor.
    global_ = globalNoScale_;
    global_[0] *= local_.scale.x;
    global_[1] *= local_.scale.y;
    global_[2] *= local_.scale.z;
    globalOnlyLocalScale_ = global_;

    if (parent_ != nullptr) {
        const Transform& p = *parent_;
        world_.rotation = p.world_.rotation * local_.rotation;
        world_.scale = p.world_.scale * local_.scale;
        world_.translation = p.world_.translation + p.world_.scale * (p.world_.rotation * local_.translation);
        globalOnlyLocalScale_ = affineProduct(p.globalNoScale_, globalOnlyLocalScale_);
        global_ = affineProduct(p.global_, global_);
        globalNoScale_ = affineProduct(p.globalNoScale_, globalNoScale_);
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
    // A rotation matrix's columns are the left, up and forward axes turned by the
    // quaternion: one conversion per rotation instead of three vector turns.
    const glm::mat3 local = glm::mat3_cast(local_.rotation);
    localLeft_ = local[0];
    localUp_ = local[1];
    localForward_ = local[2];
    const glm::mat3 world = glm::mat3_cast(world_.rotation);
    worldLeft_ = world[0];
    worldUp_ = world[1];
    worldForward_ = world[2];
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

void Transform::setParent(Transform* parent) {
    if (parent != this) {
        parent_ = parent;
    }
}

Transform& Transform::getParent() const {
    if (parent_ == nullptr) {
        std::cout << "ERROR: Ovra: Transform: no parent" << std::endl;
        // Back to the identity each time, so nothing a caller did to an earlier answer shows.
        static Transform standIn;
        standIn = Transform();
        standIn.setParent(nullptr);
        standIn.applyUpdates();
        return standIn;
    }
    return *parent_;
}

}  // namespace ovra
