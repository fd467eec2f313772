#include "Ovra3D/2D/Entity2D.hpp"
#include "Ovra3D/Entity.hpp"

#include <gtest/gtest.h>

#include <glm/gtc/constants.hpp>

using ovra::Entity;
using ovra::Entity2D;

namespace {
void expectVec(const glm::vec3& actual, const glm::vec3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}
}  // namespace

TEST(Entity, ChildFollowsATurnedPlacedParentFromTheParentsUpdate) {
    Entity root("root");
    root.getTransform().setRotation(glm::half_pi<float>(), ovra::V_UP);
    root.getTransform().setPosition(10, 0, 0);
    auto* child = new Entity("child");
    child->getTransform().setPosition(1, 2, 3);
    root.attach(*child);

    expectVec(child->getTransform().getWorldPosition(), {0, 0, 0});
    root.update();
    expectVec(child->getTransform().getWorldPosition(), {13, 2, -1});
}

TEST(Entity, DetachedChildKeepsItsWorldValuesUntilItsNextUpdate) {
    Entity root("root");
    root.getTransform().setPosition(10, 0, 0);
    Entity child("child");
    child.getTransform().setPosition(1, 0, 0);
    root.attach(child);
    root.update();
    expectVec(child.getTransform().getWorldPosition(), {11, 0, 0});

    ASSERT_TRUE(root.detach(child));
    expectVec(child.getTransform().getWorldPosition(), {11, 0, 0});
    child.update();
    expectVec(child.getTransform().getWorldPosition(), {1, 0, 0});
}

TEST(Entity2D, PlacementIsItsOwnWhateverTheParentDoes) {
    Entity2D parent("parent");
    auto* child = new Entity2D("child");
    EXPECT_EQ(child->getSize(), glm::ivec2(1, 1));
    EXPECT_EQ(child->getPosition(), glm::ivec2(0, 0));
    parent.attach(*child);

    child->setPosition(100, 204);
    parent.setPosition(50, 50);
    parent.update();
    EXPECT_EQ(child->getPosition(), glm::ivec2(100, 204));
    EXPECT_EQ(child->getWorldPosition(), glm::ivec2(100, 204));

    child->setAngle(1.5f);
    EXPECT_FLOAT_EQ(child->getAngle(), 1.5f);
    EXPECT_FLOAT_EQ(child->getWorldAngle(), 0.0f);
}
