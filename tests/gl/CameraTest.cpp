#include "Ovra3D/Camera.hpp"

#include "CapturedStdout.hpp"
#include "Fakes.hpp"
#include "GameCamera.hpp"
#include "Ovra3D/2D/Entity2D.hpp"
#include "Ovra3D/Application.hpp"
#include "Ovra3D/Entity.hpp"
#include "Ovra3D/Time.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

using ovra::GLContainer;

namespace {

constexpr float kTol = 1e-3f;

void expectVec(const glm::vec3& actual, const glm::vec3& expected) {
    EXPECT_NEAR(actual.x, expected.x, kTol);
    EXPECT_NEAR(actual.y, expected.y, kTol);
    EXPECT_NEAR(actual.z, expected.z, kTol);
}

// A level seen through a camera placed like the game's: 20 units up, looking straight down.
class CameraTest : public ::testing::Test {
protected:
    void SetUp() override { ovra::Time::fps = 0; }
    void TearDown() override { ovra::Time::fps = 60; }

    static ovra::Camera* addCamera(FakeLevel& level) { return &addGameCamera(level.getRootEntity()); }

    FakeContainer container_{1280, 720};
    FakeInput input_;
    FakeLevel level_;
};

enum class Query { VIEW_POINT, PLANE_PICK, CAMERA_PLANE_PICK };

struct CameraCase {
    const char* name;
    int16_t width;
    int16_t height;
    bool viewUpdated;  // false: ask during the first frame, before any updateView
    Query query;
    unsigned int x;
    unsigned int y;
    glm::vec3 a;  // the world point, the plane's point, or (distance, -, -)
    glm::vec3 b;  // the plane's normal
    glm::vec3 expected;
};
// Failures name the case instead of dumping its bytes.
void PrintTo(const CameraCase& c, std::ostream* os) { *os << c.name; }

class CameraQueries : public CameraTest, public ::testing::WithParamInterface<CameraCase> {};

glm::vec3 ask(const ovra::Camera& camera, const CameraCase& c) {
    switch (c.query) {
        case Query::VIEW_POINT: return glm::vec3(camera.getView() * glm::vec4(c.a, 1.0f));
        case Query::PLANE_PICK: return camera.screenToWorldToPlanePosition(c.x, c.y, c.a, c.b);
        case Query::CAMERA_PLANE_PICK: return camera.screenToWorldToCameraPlanePosition(c.x, c.y, c.a.x);
    }
    return glm::vec3(NAN);
}

TEST_P(CameraQueries, AnswerAsSeenFromTheGameCamera) {
    const CameraCase& c = GetParam();
    FakeContainer container(c.width, c.height);
    level_.setCamera(addCamera(level_));
    const int frames = c.viewUpdated ? 2 : 1;
    glm::vec3 answer(NAN);
    level_.onUpdate = [&](FakeLevel& level) {
        if (level.updates == frames) {
            ASSERT_NE(GETCAMERA(), nullptr);
            answer = ask(*GETCAMERA(), c);
        }
    };
    runFrames(container, input_, level_, frames);
    expectVec(answer, c.expected);
}

const glm::vec3 kFloor(0.0f, 0.1f, 0.0f);
const glm::vec3 kUp(0.0f, 1.0f, 0.0f);

INSTANTIATE_TEST_SUITE_P(
    Cases, CameraQueries,
    ::testing::Values(
        // World +x is screen right, world -z is screen up, the floor 20 units ahead.
        CameraCase{"FloorPointInViewSpace", 1280, 720, true, Query::VIEW_POINT, 0, 0, {3, 0, 5}, {}, {3, -5, -20}},
        CameraCase{"CentrePixelPick", 1280, 720, true, Query::PLANE_PICK, 640, 360, kFloor, kUp, {0, 0.1f, 0}},
        CameraCase{"CentrePixelNearPoint",
                   1280,
                   720,
                   true,
                   Query::CAMERA_PLANE_PICK,
                   640,
                   360,
                   {0.1f, 0, 0},
                   {},
                   {0, 19.9f, 0}},
        CameraCase{
            "CentrePixelFarPoint", 1280, 720, true, Query::CAMERA_PLANE_PICK, 640, 360, {100, 0, 0}, {}, {0, -80, 0}},
        CameraCase{
            "TopLeftPixelPick", 1280, 720, true, Query::PLANE_PICK, 0, 0, kFloor, kUp, {-19.9f, 0.1f, -11.4893f}},
        CameraCase{"BottomRightPixelPick",
                   1280,
                   720,
                   true,
                   Query::PLANE_PICK,
                   1280,
                   720,
                   kFloor,
                   kUp,
                   {19.9f, 0.1f, 11.4893f}},
        CameraCase{
            "OffCentrePixelPick", 1280, 720, true, Query::PLANE_PICK, 960, 180, kFloor, kUp, {9.95f, 0.1f, -5.74465f}},
        CameraCase{"PlaneParallelToTheRay", 1280, 720, true, Query::PLANE_PICK, 640, 360, kFloor, {1, 0, 0}, {0, 0, 0}},
        CameraCase{
            "IdentityViewBeforeFirstUpdate", 1280, 720, false, Query::VIEW_POINT, 0, 0, {3, 0, 5}, {}, {3, 0, 5}},
        // The identity view looks along -z: parallel to the floor, so no pick...
        CameraCase{"IdentityViewFloorPick", 1280, 720, false, Query::PLANE_PICK, 640, 360, kFloor, kUp, {0, 0, 0}},
        // ...but a plane across -z is met straight ahead of the entity's position.
        CameraCase{"IdentityViewRayAlongMinusZ",
                   1280,
                   720,
                   false,
                   Query::PLANE_PICK,
                   640,
                   360,
                   {0, 0, -100},
                   {0, 0, 1},
                   {0, 20, -100}},
        CameraCase{"ZeroSizeContainer", 0, 0, true, Query::PLANE_PICK, 640, 360, kFloor, kUp, {0, 0, 0}},
        CameraCase{"ZeroWidthContainer", 0, 720, true, Query::PLANE_PICK, 0, 0, kFloor, kUp, {0, 0, 0}},
        CameraCase{"ZeroHeightContainer", 1280, 0, true, Query::CAMERA_PLANE_PICK, 0, 0, {0.1f, 0, 0}, {}, {0, 0, 0}}),
    [](const ::testing::TestParamInfo<CameraCase>& info) { return std::string(info.param.name); });

TEST_F(CameraTest, NonInvertibleViewPicksOrigin) {
    ovra::Camera* camera = addCamera(level_);
    // Not a unit quaternion: its matrix flattens space, so the view has no inverse.
    static_cast<ovra::Entity&>(camera->getNode()).getTransform().setRotation(0.5f, 0.5f, 0.0f, 0.0f);
    level_.setCamera(camera);
    glm::vec3 answer(NAN);
    level_.onUpdate = [&](FakeLevel& level) {
        if (level.updates == 2) {
            answer = GETCAMERA()->screenToWorldToPlanePosition(100, 100, kFloor, kUp);
        }
    };
    runFrames(container_, input_, level_, 2);
    EXPECT_EQ(answer, glm::vec3(0.0f));
}

// The projection with horizontal scale `sx`: 60 degrees up, planes at 0.1 and 100.
glm::mat4 projectionWithScale(float sx) {
    glm::mat4 expected(0.0f);
    expected[0][0] = sx;
    expected[1][1] = static_cast<float>(1.0 / std::tan(std::acos(-1.0) / 6.0));
    expected[2][2] = static_cast<float>(-100.1 / 99.9);
    expected[2][3] = -1.0f;
    expected[3][2] = static_cast<float>(-20.0 / 99.9);
    return expected;
}

void expectMatrix(const glm::mat4& actual, const glm::mat4& expected) {
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_NEAR(actual[c][r], expected[c][r], 1e-6f) << "column " << c << " row " << r;
        }
    }
}

TEST_F(CameraTest, FixedFieldsOfViewGiveTheGamesMatrixExactlyWhateverThePicture) {
    ovra::Entity entity("camera");
    ovra::Camera camera(entity);
    camera.setFieldsOfView(90.0f, 60.0f);
    EXPECT_TRUE(camera.isProjectionFixed());
    EXPECT_EQ(camera.getProjection(), projectionWithScale(1.0f));
    EXPECT_EQ(camera.getView(), glm::mat4(1.0f));

    ovra::Camera* fixed = addCamera(level_);
    level_.setCamera(fixed);
    FakeContainer square(480, 480);
    runFrames(square, input_, level_, 1);
    EXPECT_EQ(fixed->getProjection(), projectionWithScale(1.0f));
}

struct ShapeCase {
    const char* name;
    int16_t width;
    int16_t height;
    GLContainer::SCALE_MODE mode;
    int windowWidth;
    int windowHeight;
    float horizontalScale;  // 1.7320508 (60 degrees up) over the picture's width / height
};
void PrintTo(const ShapeCase& c, std::ostream* os) { *os << c.name; }

class DefaultProjection : public CameraTest, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(DefaultProjection, FollowsThePicturesShapeFromTheFirstRefresh) {
    const ShapeCase& c = GetParam();
    ovra::Entity cameraEntity("camera");
    auto* camera = static_cast<ovra::Camera*>(cameraEntity.newComponent(ovra::Component::CAMERA));
    ASSERT_NE(camera, nullptr);
    EXPECT_FALSE(camera->isProjectionFixed());
    // Outside a run the picture is unknown: 16:9 is assumed.
    expectMatrix(camera->getProjection(), projectionWithScale(1.7320508f * 9.0f / 16.0f));

    FakeContainer container(c.width, c.height);
    container.setScaleMode(c.mode);
    container.setWindowSize(c.windowWidth, c.windowHeight);
    level_.setCamera(camera);
    runFrames(container, input_, level_, 1);
    expectMatrix(camera->getProjection(), projectionWithScale(c.horizontalScale));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DefaultProjection,
    ::testing::Values(ShapeCase{"Wide", 1280, 720, GLContainer::LETTERBOX, 1280, 720, 0.9742786f},
                      ShapeCase{"FourByThree", 640, 480, GLContainer::LETTERBOX, 640, 480, 1.2990381f},
                      ShapeCase{"Square", 480, 480, GLContainer::LETTERBOX, 480, 480, 1.7320508f},
                      // Letterboxed, the picture keeps the design's shape whatever the window.
                      ShapeCase{"LetterboxedInASquareWindow", 1280, 720, GLContainer::LETTERBOX, 900, 900, 0.9742786f},
                      // Filling, it takes the window's.
                      ShapeCase{"FillingASquareWindow", 1280, 720, GLContainer::FILL, 900, 900, 1.7320508f},
                      ShapeCase{"FillingATallWindow", 1280, 720, GLContainer::FILL, 300, 600, 3.4641016f}),
    [](const ::testing::TestParamInfo<ShapeCase>& info) { return std::string(info.param.name); });

TEST_F(CameraTest, ResetGoesBackToTheDefaultAndBadAnglesAreRefused) {
    ovra::Camera* camera = addCamera(level_);
    level_.setCamera(camera);
    {
        CapturedStdout out;
        camera->setFieldsOfView(0.0f, 1.0f);
        camera->setFieldsOfView(90.0f, 180.0f);
        camera->setFieldsOfView(NAN, 60.0f);
        EXPECT_EQ(out.linesStartingWith("ERROR: Ovra: Camera: fields of view out of range: ").size(), 3u);
    }
    EXPECT_EQ(camera->getProjection(), projectionWithScale(1.0f)) << "refused angles change nothing";

    camera->resetProjection();
    EXPECT_FALSE(camera->isProjectionFixed());
    FakeContainer square(480, 480);
    runFrames(square, input_, level_, 1);
    expectMatrix(camera->getProjection(), projectionWithScale(1.7320508f));
}

TEST_F(CameraTest, ComponentFactoryMakesOneCameraPerEntityAndNoneOn2D) {
    ovra::Entity entity("camera");
    ovra::Component* first = entity.newComponent(ovra::Component::CAMERA);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(&first->getNode(), &entity);
    EXPECT_EQ(static_cast<ovra::Camera*>(first)->getView(), glm::mat4(1.0f));

    EXPECT_EQ(entity.newComponent(ovra::Component::CAMERA), nullptr);
    EXPECT_EQ(entity.getComponent(ovra::Component::CAMERA), first);

    ovra::Entity2D overlay("overlay");
    EXPECT_EQ(overlay.newComponent(ovra::Component::CAMERA), nullptr);
    EXPECT_EQ(overlay.getComponent(ovra::Component::CAMERA), nullptr);
}

TEST_F(CameraTest, ViewIsRefreshedAfterEveryLevelUpdate) {
    ovra::Camera* camera = addCamera(level_);
    level_.setCamera(camera);
    auto& transform = static_cast<ovra::Entity&>(camera->getNode()).getTransform();
    // Each update looks at the floor point under the camera, then moves the camera along x.
    std::vector<glm::vec3> seenBelow;
    level_.onUpdate = [&](FakeLevel& level) {
        seenBelow.push_back(glm::vec3(GETCAMERA()->getView() * glm::vec4(transform.getPosition().x, 0, 0, 1)));
        transform.setPosition(static_cast<float>(level.updates), 20, 0);
    };
    runFrames(container_, input_, level_, 3);

    // The first update still has the identity view; later ones the view refreshed after the move.
    ASSERT_EQ(seenBelow.size(), 3u);
    expectVec(seenBelow[0], {0, 0, 0});
    expectVec(seenBelow[1], {0, 0, -20});
    expectVec(seenBelow[2], {0, 0, -20});
    expectVec(glm::vec3(camera->getView() * glm::vec4(3, 0, 0, 1)), {0, 0, -20});
}

TEST_F(CameraTest, CameraSetDuringTheFirstUpdateIsRefreshedInThatFrame) {
    ovra::Camera* camera = addCamera(level_);
    level_.onUpdate = [&](FakeLevel& level) { level.setCamera(camera); };
    runFrames(container_, input_, level_, 1);
    expectVec(glm::vec3(camera->getView() * glm::vec4(3, 0, 5, 1)), {3, -5, -20});
}

TEST_F(CameraTest, LevelWithoutCameraIsUpdatedAndReportsNone) {
    std::vector<const ovra::Camera*> seen;
    level_.onUpdate = [&](FakeLevel&) { seen.push_back(GETCAMERA()); };
    runFrames(container_, input_, level_, 2);
    EXPECT_EQ(level_.updates, 2);
    EXPECT_EQ(seen, (std::vector<const ovra::Camera*>{nullptr, nullptr}));
}

TEST_F(CameraTest, SwitchingLevelsDuringAnUpdateRefreshesTheNewLevelsCamera) {
    ovra::Camera* first = addCamera(level_);
    level_.setCamera(first);
    FakeLevel next;
    ovra::Camera* second = addCamera(next);
    next.setCamera(second);
    level_.onUpdate = [&](FakeLevel&) { GETAPP().getLevelManager().addLevel(next, true); };
    runFrames(container_, input_, level_, 1);

    EXPECT_EQ(GETCAMERA(), second);
    EXPECT_EQ(first->getView(), glm::mat4(1.0f));
    expectVec(glm::vec3(second->getView() * glm::vec4(3, 0, 5, 1)), {3, -5, -20});
}

}  // namespace
