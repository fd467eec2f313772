#ifndef OVRA_VIEWER_ORBITCAMERA_HPP
#define OVRA_VIEWER_ORBITCAMERA_HPP

#include "Ovra3D/common.hpp"

// A viewpoint circling a target at the origin: yaw and pitch in radians, a distance
// framed from the radius of what it looks at. Gives the position and the rotation an
// ovra::Camera's entity needs, whose view is rotation · translation(-position).
class OrbitCamera {
public:
    // Half of the engine camera's vertical field of view (60°), the narrower of its two.
    static constexpr float kHalfFieldOfView = 0.5235988f;

    // Sets the home view for a bounding sphere of `radius` around the origin and goes there.
    void frame(float radius);
    // Back to the home view.
    void reset();
    // Turns by a pointer movement in pixels: right turns the model right, down tips it towards the viewer.
    void orbit(float dxPixels, float dyPixels);
    // Wheel steps: positive comes closer. The distance stays within what the camera can see.
    void zoom(float steps);

    float getDistance() const { return distance_; }
    float getHomeDistance() const { return homeDistance_; }
    glm::vec3 getPosition() const;
    glm::quat getRotation() const;

    // The distance at which a sphere of `radius` fits the field of view, with a margin.
    static float framingDistance(float radius);

private:
    float radius_ = 1.0f;
    float homeDistance_ = framingDistance(1.0f);
    float yaw_ = 0.0f;
    float pitch_ = 0.0f;
    float distance_ = homeDistance_;
};

#endif
