#include "OrbitCamera.hpp"

#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Entity.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Where a world point lands through the engine's camera placed by the orbit: normalised
// device coordinates, and the clip w (positive in front of the camera).
struct Projected {
    glm::vec3 ndc;
    float w;
};

Projected project(const OrbitCamera& orbit, const glm::vec3& point) {
    ovra::Entity entity("Camera");
    entity.getTransform().setPosition(orbit.getPosition());
    entity.getTransform().setRotation(orbit.getRotation());
    auto* camera = static_cast<ovra::Camera*>(entity.newComponent(ovra::Component::CAMERA));
    camera->updateView();
    const glm::vec4 clip = camera->getProjection() * camera->getView() * glm::vec4(point, 1.0f);
    return {glm::vec3(clip) / clip.w, clip.w};
}

// Points on a sphere of `radius` around the origin: the six poles and the eight diagonals.
std::vector<glm::vec3> spherePoints(float radius) {
    std::vector<glm::vec3> points;
    for (int axis = 0; axis < 3; ++axis) {
        for (float sign : {-1.0f, 1.0f}) {
            glm::vec3 p(0.0f);
            p[axis] = sign * radius;
            points.push_back(p);
        }
    }
    for (int corner = 0; corner < 8; ++corner) {
        const glm::vec3 d(corner & 1 ? 1.0f : -1.0f, corner & 2 ? 1.0f : -1.0f, corner & 4 ? 1.0f : -1.0f);
        points.push_back(glm::normalize(d) * radius);
    }
    return points;
}

struct FramingCase {
    float radius;
    float dragX;
    float dragY;
};

class OrbitFraming : public ::testing::TestWithParam<FramingCase> {};

TEST_P(OrbitFraming, KeepsTheWholeSphereInViewAndItsCentreInTheMiddle) {
    const FramingCase c = GetParam();
    OrbitCamera orbit;
    orbit.frame(c.radius);
    orbit.orbit(c.dragX, c.dragY);

    const Projected centre = project(orbit, glm::vec3(0.0f));
    EXPECT_NEAR(centre.ndc.x, 0.0f, 1e-4f);
    EXPECT_NEAR(centre.ndc.y, 0.0f, 1e-4f);
    for (const glm::vec3& point : spherePoints(c.radius)) {
        const Projected p = project(orbit, point);
        EXPECT_GT(p.w, 0.0f);
        EXPECT_LT(std::fabs(p.ndc.x), 1.0f) << point.x << " " << point.y << " " << point.z;
        EXPECT_LT(std::fabs(p.ndc.y), 1.0f) << point.x << " " << point.y << " " << point.z;
        EXPECT_LT(std::fabs(p.ndc.z), 1.0f) << "clipped by the near or far plane";
    }
}

INSTANTIATE_TEST_SUITE_P(HomeAndTurned, OrbitFraming,
                         ::testing::Values(FramingCase{1.0f, 0.0f, 0.0f}, FramingCase{1.0f, 300.0f, 0.0f},
                                           FramingCase{1.0f, -120.0f, 140.0f}, FramingCase{1.0f, 50.0f, -500.0f},
                                           FramingCase{0.2f, 0.0f, 0.0f}, FramingCase{10.0f, 200.0f, 90.0f}));

TEST(OrbitCamera, FramingDistanceGrowsWithTheRadiusAndFitsTheNarrowerFieldOfView) {
    EXPECT_NEAR(OrbitCamera::framingDistance(2.0f), 2.0f * OrbitCamera::framingDistance(1.0f), 1e-5f);
    // sin(30°) = 0.5: a sphere just fits at twice its radius; the margin keeps it clear.
    EXPECT_GT(OrbitCamera::framingDistance(1.0f), 2.0f);
    EXPECT_LT(OrbitCamera::framingDistance(1.0f), 2.5f);
}

TEST(OrbitCamera, ResetReturnsToTheHomeViewAfterTurningAndZooming) {
    OrbitCamera orbit;
    orbit.frame(1.0f);
    const glm::vec3 home = orbit.getPosition();
    orbit.orbit(123.0f, -45.0f);
    orbit.zoom(-3.0f);
    ASSERT_GT(glm::length(orbit.getPosition() - home), 0.1f);
    orbit.reset();
    EXPECT_NEAR(glm::length(orbit.getPosition() - home), 0.0f, 1e-5f);
    EXPECT_FLOAT_EQ(orbit.getDistance(), orbit.getHomeDistance());
}

TEST(OrbitCamera, ZoomStaysBetweenTheNearAndFarPlanes) {
    OrbitCamera orbit;
    orbit.frame(1.0f);
    orbit.zoom(2.0f);
    EXPECT_LT(orbit.getDistance(), orbit.getHomeDistance());
    orbit.zoom(500.0f);
    EXPECT_GT(orbit.getDistance() - 1.0f, 0.1f) << "the model crosses the near plane";
    orbit.zoom(-1000.0f);
    EXPECT_GT(orbit.getDistance(), 50.0f);
    EXPECT_LT(orbit.getDistance() + 1.0f, 100.0f) << "the model crosses the far plane";
}

TEST(OrbitCamera, PitchStopsShortOfThePoles) {
    OrbitCamera orbit;
    orbit.frame(1.0f);
    orbit.orbit(0.0f, 100000.0f);
    const glm::vec3 top = orbit.getPosition();
    EXPECT_LT(top.y, orbit.getDistance());
    EXPECT_GT(glm::length(glm::vec2(top.x, top.z)), 0.01f);
    EXPECT_NEAR(project(orbit, glm::vec3(0.0f)).ndc.x, 0.0f, 1e-4f);
}

}  // namespace
