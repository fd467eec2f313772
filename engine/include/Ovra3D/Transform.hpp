#ifndef OVRA_TRANSFORM_HPP
#define OVRA_TRANSFORM_HPP

#include "Ovra3D/common.hpp"

namespace ovra {

const glm::vec3 V_FORWARD(0.0f, 0.0f, 1.0f);
const glm::vec3 V_UP(0.0f, 1.0f, 0.0f);
const glm::vec3 V_LEFT(1.0f, 0.0f, 0.0f);

// Placement of one 3D entity: local properties relative to the parent, the world
// properties, direction vectors and world matrices derived from them each frame.
class Transform {
public:
    struct Properties {
        glm::vec3 translation{0.0f};
        glm::vec3 scale{1.0f};
        glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f};
    };

    Transform() = default;
    // A copy keeps the properties and vectors, but has no parent and identity matrices.
    Transform(const Transform& other);
    Transform& operator=(const Transform& other);
    virtual ~Transform() = default;

    void applyUpdates();
    void applyUpdatesOnVectors();

    const glm::vec3& translate(const glm::vec3& vector);
    const glm::vec3& translate(float x, float y, float z);
    const glm::vec3& translateLeft(float factor);
    const glm::vec3& translateUp(float factor);
    const glm::vec3& translateForward(float factor);
    const glm::vec3& translateVectors(const glm::vec3& factors);

    const glm::quat& rotate(float angle, const glm::vec3& axis);
    const glm::quat& rotateAroundLeft(float angle);
    const glm::quat& rotateAroundUp(float angle);
    const glm::quat& rotateAroundForward(float angle);
    const glm::quat& rotate(const glm::quat& rotation);

    const glm::vec3& scale(const glm::vec3& factors);
    const glm::vec3& scale(float x, float y, float z);
    const glm::vec3& scale(float s);

    void setPosition(const glm::vec3& newPosition);
    void setPosition(float x, float y, float z);
    void setScale(const glm::vec3& newScale);
    void setScale(float x, float y, float z);
    void setScale(float s);
    void setRotation(const glm::quat& newRotation);
    void setRotation(float x, float y, float z, float w);
    void setRotation(float angle, const glm::vec3& axis);

    const glm::vec3& getPosition() const { return local_.translation; }
    const glm::vec3& getScale() const { return local_.scale; }
    const glm::quat& getRotation() const { return local_.rotation; }
    const glm::vec3& getWorldPosition() const { return world_.translation; }
    const glm::vec3& getWorldScale() const { return world_.scale; }
    const glm::quat& getWorldRotation() const { return world_.rotation; }
    const Properties& getProperties() const { return local_; }
    const Properties& getWorldProperties() const { return world_; }

    const glm::vec3& getForward() const { return localForward_; }
    const glm::vec3& getLeft() const { return localLeft_; }
    const glm::vec3& getUp() const { return localUp_; }
    const glm::vec3& getWorldForward() const { return worldForward_; }
    const glm::vec3& getWorldLeft() const { return worldLeft_; }
    const glm::vec3& getWorldUp() const { return worldUp_; }

    const glm::mat4& getGlobal() const { return global_; }
    const glm::mat4& getGlobalNoScale() const { return globalNoScale_; }
    const glm::mat4& getGlobalOnlyLocalScale() const { return globalOnlyLocalScale_; }

    void setParent(Transform* parent) { parent_ = parent; }
    // Only valid when a parent is set.
    Transform& getParent() const { return *parent_; }

private:
    Properties local_;
    Properties world_;
    glm::vec3 localUp_ = V_UP;
    glm::vec3 worldUp_ = V_UP;
    glm::vec3 localLeft_ = V_LEFT;
    glm::vec3 worldLeft_ = V_LEFT;
    glm::vec3 localForward_ = V_FORWARD;
    glm::vec3 worldForward_ = V_FORWARD;
    glm::mat4 global_{1.0f};
    glm::mat4 globalNoScale_{1.0f};
    glm::mat4 globalOnlyLocalScale_{1.0f};
    bool bRotationUpdated_ = false;
    Transform* parent_ = nullptr;
};

}  // namespace ovra

#endif
