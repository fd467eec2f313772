/// \file
/// The camera component and the line-plane intersection it picks with.
#ifndef OVRA_CAMERA_HPP
#define OVRA_CAMERA_HPP

#include "Ovra3D/Component.hpp"
#include "Ovra3D/common.hpp"

namespace ovra {

class Entity;

/// A viewpoint on a 3D entity: a fixed perspective projection, a view refreshed
/// from the entity's transform each frame, and picking of world points under pixels.
/// Made by Node::newComponent(Component::CAMERA) on an Entity.
class Camera : public Component {
public:
    /// Binds the camera to `containerEntity`; the view is the identity until updateView().
    explicit Camera(Entity& containerEntity);
    virtual ~Camera() = default;

    /// view = R(q) * T(-p) from the entity's local rotation q and position p.
    virtual void updateView();

    /// The fixed perspective: 60 degrees vertical, near 0.1, far 100, whatever the window.
    const glm::mat4& getProjection() const { return projection_; }
    /// The view as of the last updateView().
    const glm::mat4& getView() const { return view_; }

    /// The point where the ray from the camera through window pixel (x, y) meets the
    /// plane. Answers (0, 0, 0) when the ray is parallel to the plane, when the
    /// container has a zero size, or when the view cannot be inverted: never NaN.
    /// Reads the container size from the application: before run() that is the
    /// application's error line and (0, 0, 0).
    glm::vec3 screenToWorldToPlanePosition(unsigned int x, unsigned int y, const glm::vec3& planePosition,
                                           const glm::vec3& planeNormal) const;
    /// The same against the plane facing the camera at `distance` along its forward vector,
    /// with the same (0, 0, 0) answer to bad input.
    glm::vec3 screenToWorldToCameraPlanePosition(unsigned int x, unsigned int y, float distance) const;

private:
    // The world point that pixel (x, y) shows at normalised depth `plane` (-1 near, +1 far);
    // false (and (0, 0, 0)) when it cannot be computed.
    bool screenToWorldDirection(unsigned int x, unsigned int y, float plane, glm::vec3& point) const;

    const Entity& containerEntity_;
    glm::mat4 projection_;
    glm::mat4 view_{1.0f};
};

/// Intersection of the line through `linePoint` along `lineVec` (unit length, or the result
/// leaves the plane) with the plane through `planePoint` of normal `planeNormal`.
/// \return false, with `intersection` (0, 0, 0), when the line is parallel to the plane.
bool LinePlaneIntersection(glm::vec3& intersection, const glm::vec3& linePoint, const glm::vec3& lineVec,
                           const glm::vec3& planeNormal, const glm::vec3& planePoint);

}  // namespace ovra

#endif
