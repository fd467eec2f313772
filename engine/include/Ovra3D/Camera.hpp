/// \file
/// The camera component and the line-plane intersection it picks with.
#ifndef OVRA_CAMERA_HPP
#define OVRA_CAMERA_HPP

#include "Ovra3D/Component.hpp"
#include "Ovra3D/common.hpp"

namespace ovra {

class Entity;

/// A viewpoint on a 3D entity: a perspective projection in proportion with the picture, a
/// view refreshed from the entity's transform each frame, and picking of world points
/// under pixels. Made by Node::newComponent(Component::CAMERA) on an Entity.
class Camera : public Component {
public:
    /// The vertical field of view of the default projection, in degrees.
    static constexpr float kVerticalFieldOfView = 60.0f;
    /// Near plane of the default projection.
    static constexpr float kNear = 0.1f;
    /// Far plane of the default projection.
    static constexpr float kFar = 100.0f;
    /// The picture's width / height assumed until the first view refresh of a running application.
    static constexpr float kDefaultAspect = 16.0f / 9.0f;

    /// Binds the camera to `containerEntity`; the view is the identity until updateView().
    explicit Camera(Entity& containerEntity);
    virtual ~Camera() = default;

    /// view = R(q) * T(-p) from the entity's local rotation q and position p. While the
    /// application runs, the default projection also takes the picture's current shape.
    virtual void updateView();

    /// Replaces the projection with `projection`, kept as it is whatever the picture's shape.
    void setProjection(const glm::mat4& projection);
    /// A fixed projection with these fields of view, near 0.1, far 100, whatever the picture's
    /// shape. In degrees, full angles, so that 90 and 60 give exactly 1 and 1/tan(30 degrees).
    /// Angles outside (0, 180) are refused with an error line.
    void setFieldsOfView(float horizontalDegrees, float verticalDegrees);
    /// Back to the default projection, in proportion with the picture.
    void resetProjection();
    /// True while a projection given by setProjection() is in use.
    bool isProjectionFixed() const { return projectionFixed_; }
    /// The default projection for a picture of shape `aspect` (width / height): 60 degrees
    /// vertically, the horizontal field following the shape, near 0.1, far 100.
    static glm::mat4 defaultProjection(float aspect);

    /// The projection in use: the default one for the picture's shape as of the last
    /// refresh, or the one given to setProjection().
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

    // The default projection for the running application's picture, or for kDefaultAspect.
    void refreshProjection();

    const Entity& containerEntity_;
    glm::mat4 projection_;
    glm::mat4 view_{1.0f};
    bool projectionFixed_ = false;
};

/// Intersection of the line through `linePoint` along `lineVec` (unit length, or the result
/// leaves the plane) with the plane through `planePoint` of normal `planeNormal`.
/// \return false, with `intersection` (0, 0, 0), when the line is parallel to the plane.
bool LinePlaneIntersection(glm::vec3& intersection, const glm::vec3& linePoint, const glm::vec3& lineVec,
                           const glm::vec3& planeNormal, const glm::vec3& planePoint);

}  // namespace ovra

#endif
