#include "CapturedStdout.hpp"

#include "Ovra3D/Transform.hpp"

#include <gtest/gtest.h>

#include <glm/gtc/constants.hpp>

using ovra::Transform;

namespace {

constexpr float kTol = 1e-5f;
const float kQuarter = glm::half_pi<float>();

void expectVec(const glm::vec3& actual, const glm::vec3& expected) {
    EXPECT_NEAR(actual.x, expected.x, kTol);
    EXPECT_NEAR(actual.y, expected.y, kTol);
    EXPECT_NEAR(actual.z, expected.z, kTol);
}

glm::vec3 column(const glm::mat4& m, int c) { return glm::vec3(m[c]); }

}  // namespace

TEST(Transform, NewTransformWithoutParentHasIdentityMatricesAndWorldEqualToLocal) {
    Transform t;
    t.setPosition(1, 2, 3);
    t.applyUpdates();
    expectVec(t.getWorldPosition(), {1, 2, 3});
    expectVec(t.getForward(), ovra::V_FORWARD);
    expectVec(t.getUp(), ovra::V_UP);
    expectVec(t.getLeft(), ovra::V_LEFT);
    expectVec(column(t.getGlobal(), 3), {1, 2, 3});

    Transform identity;
    identity.applyUpdates();
    EXPECT_EQ(identity.getGlobal(), glm::mat4(1.0f));
    EXPECT_EQ(identity.getGlobalNoScale(), glm::mat4(1.0f));
    EXPECT_EQ(identity.getGlobalOnlyLocalScale(), glm::mat4(1.0f));
}

TEST(Transform, DirectionalTranslationsFollowTurnsButNotSetRotation) {
    Transform forward;
    expectVec(forward.translateForward(2), {0, 0, 2});

    Transform vectors;
    expectVec(vectors.translateVectors({1, 2, 3}), {1, 2, 3});

    // A rotate marks the vectors stale; the translate refreshes them first.
    Transform turned;
    turned.rotateAroundUp(kQuarter);
    expectVec(turned.translateForward(1), {1, 0, 0});

    // setRotation does not mark them stale: the move follows the old forward.
    Transform set;
    set.setRotation(kQuarter, ovra::V_UP);
    expectVec(set.translateForward(1), {0, 0, 1});
}

TEST(Transform, ZeroAngleRotationChangesNothing) {
    for (float zero : {0.0f, -0.0f}) {
        Transform t;
        const glm::quat before = t.getRotation();
        EXPECT_EQ(t.rotate(zero, ovra::V_UP), before);
        // The flag stayed clear: a translate still uses the untouched forward.
        expectVec(t.translateForward(1), {0, 0, 1});
    }
}

TEST(Transform, WorldPositionOnlyChangesAtApplyUpdates) {
    Transform t;
    t.applyUpdates();
    t.setPosition(5, 0, 0);
    expectVec(t.getWorldPosition(), {0, 0, 0});
    t.applyUpdates();
    expectVec(t.getWorldPosition(), {5, 0, 0});
}

struct ParentCase {
    const char* name;
    glm::vec3 parentTranslation;
    float parentTurnAboutUp;
    glm::vec3 parentScale;
    glm::vec3 childTranslation;
    glm::vec3 expectedWorldTranslation;
    glm::vec3 expectedGlobalColumn;
};

class TransformComposition : public ::testing::TestWithParam<ParentCase> {};

TEST_P(TransformComposition, ChildComposesWithParentOfTheSameFrame) {
    const ParentCase& c = GetParam();
    Transform parent;
    parent.setPosition(c.parentTranslation);
    parent.setRotation(c.parentTurnAboutUp, ovra::V_UP);
    parent.setScale(c.parentScale);
    Transform child;
    child.setParent(&parent);
    child.setPosition(c.childTranslation);

    parent.applyUpdates();
    child.applyUpdates();

    expectVec(child.getWorldPosition(), c.expectedWorldTranslation);
    expectVec(column(child.getGlobal(), 3), c.expectedGlobalColumn);
    expectVec(child.getWorldScale(), c.parentScale);
}

// The world translation scales after turning, the matrix before: they differ
// only under a parent with unequal scales.
INSTANTIATE_TEST_SUITE_P(
    Cases, TransformComposition,
    ::testing::Values(
        ParentCase{"ScaledParent", {1, 0, 0}, 0.0f, {2, 2, 2}, {1, 0, 0}, {3, 0, 0}, {3, 0, 0}},
        ParentCase{"TurnedUnevenlyScaledParent", {0, 0, 0}, kQuarter, {2, 1, 1}, {1, 0, 0}, {0, 0, -1}, {0, 0, -2}},
        ParentCase{"TurnedPlacedParent", {10, 0, 0}, kQuarter, {1, 1, 1}, {1, 2, 3}, {13, 2, -1}, {13, 2, -1}}),
    [](const ::testing::TestParamInfo<ParentCase>& info) { return info.param.name; });

TEST(Transform, OnlyLocalScaleMatrixKeepsOwnScaleButNotTheParents) {
    Transform parent;
    parent.setScale(2);
    Transform child;
    child.setParent(&parent);
    child.setScale(3);
    parent.applyUpdates();
    child.applyUpdates();
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(child.getGlobalOnlyLocalScale()[i][i], 3.0f, kTol);
        EXPECT_NEAR(child.getGlobal()[i][i], 6.0f, kTol);
        EXPECT_NEAR(child.getGlobalNoScale()[i][i], 1.0f, kTol);
    }
}

TEST(Transform, WorldVectorsFollowTheParentsTurn) {
    Transform parent;
    parent.setRotation(kQuarter, ovra::V_UP);
    Transform child;
    child.setParent(&parent);
    parent.applyUpdates();
    child.applyUpdates();
    expectVec(child.getForward(), {0, 0, 1});
    expectVec(child.getWorldForward(), {1, 0, 0});
    expectVec(child.getWorldLeft(), {0, 0, -1});
}

TEST(Transform, CopyKeepsPropertiesButNeitherParentNorMatrices) {
    Transform parent;
    parent.setPosition(4, 0, 0);
    Transform original;
    original.setParent(&parent);
    original.setPosition(1, 0, 0);
    parent.applyUpdates();
    original.applyUpdates();

    Transform copy(original);
    expectVec(copy.getPosition(), {1, 0, 0});
    expectVec(copy.getWorldPosition(), {5, 0, 0});
    EXPECT_EQ(copy.getGlobal(), glm::mat4(1.0f));
    copy.applyUpdates();
    expectVec(copy.getWorldPosition(), {1, 0, 0});
}

TEST(Transform, ParentOfAnUnlinkedTransformIsAFreshIdentityStandIn) {
    Transform orphan;
    CapturedStdout out;
    Transform& standIn = orphan.getParent();
    EXPECT_EQ(out.lines(), std::vector<std::string>{"ERROR: Ovra: Transform: no parent"});
    EXPECT_FALSE(orphan.hasParent());
    EXPECT_EQ(standIn.getGlobal(), glm::mat4(1.0f));

    // What a caller does to one answer does not show in the next.
    standIn.setPosition(5.0f, 0.0f, 0.0f);
    standIn.applyUpdates();
    Transform& again = orphan.getParent();
    expectVec(again.getPosition(), glm::vec3(0.0f));
    EXPECT_EQ(again.getGlobal(), glm::mat4(1.0f));
}

TEST(Transform, ATransformCannotBeItsOwnParent) {
    Transform parent;
    Transform t;
    t.setParent(&parent);
    t.setParent(&t);
    EXPECT_EQ(&t.getParent(), &parent) << "the earlier link stays";

    Transform lone;
    lone.setPosition(1.0f, 2.0f, 3.0f);
    lone.setParent(&lone);
    EXPECT_FALSE(lone.hasParent());
    lone.applyUpdates();
    lone.applyUpdates();
    expectVec(lone.getWorldPosition(), glm::vec3(1.0f, 2.0f, 3.0f));
}
