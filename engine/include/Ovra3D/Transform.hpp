/// \file
/// The placement of a 3D entity, and the engine's axes.
#ifndef OVRA_TRANSFORM_HPP
#define OVRA_TRANSFORM_HPP

#include "Ovra3D/common.hpp"

namespace ovra {

// The axes are named for a thing that faces +Z. A camera looks along its own -Z, so for a
// camera V_FORWARD points behind it and V_LEFT to its right: translateForward(1) backs it
// away from what it sees, and an entity moved by translateLeft(1) goes right on the screen of
// a camera that is not turned.
const glm::vec3 V_FORWARD(0.0f, 0.0f, 1.0f);  ///< The forward axis, +Z.
const glm::vec3 V_UP(0.0f, 1.0f, 0.0f);       ///< The up axis, +Y.
const glm::vec3 V_LEFT(1.0f, 0.0f, 0.0f);     ///< The left axis, +X: up cross forward.

/// Placement of one 3D entity: local properties relative to the parent, the world
/// properties, direction vectors and world matrices derived from them each frame.
/// Angles are radians; rotations are taken as given, unit length expected.
class Transform {
public:
    /// A placement: translation, per-axis scale, rotation.
    struct Properties {
        glm::vec3 translation{0.0f};                 ///< Position.
        glm::vec3 scale{1.0f};                       ///< Scale factor per axis.
        glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f};  ///< Orientation (w first in the constructor).
    };

    /// The identity placement without parent.
    Transform() = default;
    /// A copy keeps the properties and vectors, but has no parent and identity matrices.
    Transform(const Transform& other);
    /// As the copy: the parent link and the matrices are not taken over.
    Transform& operator=(const Transform& other);
    virtual ~Transform() = default;

    /// Derives the matrices, the world properties and the direction vectors from the
    /// local properties and the parent's values as they are now.
    void applyUpdates();
    /// Recomputes the direction vectors when a rotation changed since they were last computed.
    void applyUpdatesOnVectors();

    /// Adds `vector` to the local translation. \return the local translation.
    const glm::vec3& translate(const glm::vec3& vector);
    /// Adds (x, y, z) to the local translation. \return the local translation.
    const glm::vec3& translate(float x, float y, float z);
    /// Moves `factor` along the local left vector, refreshed first. \return the local translation.
    const glm::vec3& translateLeft(float factor);
    /// Moves `factor` along the local up vector, refreshed first. \return the local translation.
    const glm::vec3& translateUp(float factor);
    /// Moves `factor` along the local forward vector, refreshed first. \return the local translation.
    const glm::vec3& translateForward(float factor);
    /// Moves along left, up and forward by the three factors. \return the local translation.
    const glm::vec3& translateVectors(const glm::vec3& factors);

    /// Turns by `angle` around `axis` (in the parent's frame, not normalised); an angle of
    /// zero changes nothing. \return the local rotation.
    const glm::quat& rotate(float angle, const glm::vec3& axis);
    /// Turns around the node's own left vector. \return the local rotation.
    const glm::quat& rotateAroundLeft(float angle);
    /// Turns around the node's own up vector. \return the local rotation.
    const glm::quat& rotateAroundUp(float angle);
    /// Turns around the node's own forward vector. \return the local rotation.
    const glm::quat& rotateAroundForward(float angle);
    /// Turns by `rotation`, applied after the current one. \return the local rotation.
    const glm::quat& rotate(const glm::quat& rotation);

    /// Multiplies the local scale per axis. \return the local scale.
    const glm::vec3& scale(const glm::vec3& factors);
    /// Multiplies the local scale per axis. \return the local scale.
    const glm::vec3& scale(float x, float y, float z);
    /// Multiplies the local scale on all three axes. \return the local scale.
    const glm::vec3& scale(float s);

    /// Sets the local translation.
    void setPosition(const glm::vec3& newPosition);
    /// Sets the local translation.
    void setPosition(float x, float y, float z);
    /// Sets the local scale; a zero scale is kept and only flattens the drawing.
    void setScale(const glm::vec3& newScale);
    /// Sets the local scale.
    void setScale(float x, float y, float z);
    /// Sets the local scale to `s` on all three axes.
    void setScale(float s);
    /// Sets the local rotation; the direction vectors follow at the next applyUpdates().
    void setRotation(const glm::quat& newRotation);
    /// Sets the local rotation from its four components, stored unchanged.
    void setRotation(float x, float y, float z, float w);
    /// Sets the local rotation to `angle` around `axis`.
    void setRotation(float angle, const glm::vec3& axis);

    /// Local translation.
    const glm::vec3& getPosition() const { return local_.translation; }
    /// Local scale.
    const glm::vec3& getScale() const { return local_.scale; }
    /// Local rotation.
    const glm::quat& getRotation() const { return local_.rotation; }
    /// World translation as of the last applyUpdates().
    const glm::vec3& getWorldPosition() const { return world_.translation; }
    /// World scale as of the last applyUpdates().
    const glm::vec3& getWorldScale() const { return world_.scale; }
    /// World rotation as of the last applyUpdates().
    const glm::quat& getWorldRotation() const { return world_.rotation; }
    /// The local properties.
    const Properties& getProperties() const { return local_; }
    /// The world properties as of the last applyUpdates().
    const Properties& getWorldProperties() const { return world_; }

    /// Local forward vector, as last computed.
    const glm::vec3& getForward() const { return localForward_; }
    /// Local left vector, as last computed.
    const glm::vec3& getLeft() const { return localLeft_; }
    /// Local up vector, as last computed.
    const glm::vec3& getUp() const { return localUp_; }
    /// World forward vector, as last computed.
    const glm::vec3& getWorldForward() const { return worldForward_; }
    /// World left vector, as last computed.
    const glm::vec3& getWorldLeft() const { return worldLeft_; }
    /// World up vector, as last computed.
    const glm::vec3& getWorldUp() const { return worldUp_; }

    /// The full world matrix: every ancestor's translation, rotation and scale, then this node's.
    const glm::mat4& getGlobal() const { return global_; }
    /// The world matrix of translations and rotations only.
    const glm::mat4& getGlobalNoScale() const { return globalNoScale_; }
    /// The world matrix with this node's own scale but none of its ancestors'.
    const glm::mat4& getGlobalOnlyLocalScale() const { return globalOnlyLocalScale_; }

    /// Links the transform to its parent's (null unlinks); set by the entity's attach hooks.
    /// A transform cannot be its own parent: that link is ignored.
    void setParent(Transform* parent);
    /// The parent transform. Without one, an error line and a stand-in identity transform.
    Transform& getParent() const;
    /// True when a parent is linked.
    bool hasParent() const { return parent_ != nullptr; }

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
