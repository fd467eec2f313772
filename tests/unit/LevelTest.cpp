#include "Fakes.hpp"

#include "Ovra3D/LevelManager.hpp"

#include <gtest/gtest.h>

using ovra::Entity;
using ovra::Entity2D;

TEST(Level, RootsAreNamedAndTreeEnabledFromTheStart) {
    FakeLevel level;
    EXPECT_EQ(level.getRootEntity().getName(), "RootEntity");
    EXPECT_EQ(level.getRootEntity2D().getName(), "RootEntity2D");
    EXPECT_EQ(level.getRootEntity2D().getID(), level.getRootEntity().getID() + 1);
    EXPECT_TRUE(level.getRootEntity().isEnabled(true));
    EXPECT_TRUE(level.getRootEntity2D().isEnabled(true));
    EXPECT_EQ(level.getCamera(), nullptr);
}

TEST(Level, SwitchingANodeReachesItsSubtreeAtItsNextUpdate) {
    FakeLevel level;
    auto* parent = new Entity("parent");
    auto* child = new Entity("child");
    auto* grandchild = new Entity("grandchild");
    level.getRootEntity().attach(*parent);
    parent->attach(*child);
    child->attach(*grandchild);
    EXPECT_FALSE(parent->isEnabled(true)) << "tree-enabled only from the root's first update";

    level.update();
    EXPECT_TRUE(grandchild->isEnabled(true));

    parent->enable(false);
    EXPECT_FALSE(parent->isEnabled(true));
    EXPECT_TRUE(child->isEnabled(true)) << "descendants learn it at the parent's next update";
    level.update();
    EXPECT_FALSE(child->isEnabled(true));
    EXPECT_FALSE(grandchild->isEnabled(true));
    EXPECT_TRUE(child->isEnabled(false));

    parent->enable(true);
    level.update();
    EXPECT_TRUE(grandchild->isEnabled(true));
}

TEST(Level, DisabledNodesStillUpdateTheirTransforms) {
    FakeLevel level;
    auto* parent = new Entity("parent");
    auto* child = new Entity("child");
    level.getRootEntity().attach(*parent);
    parent->attach(*child);
    parent->enable(false);
    child->getTransform().setPosition(0, 0, 4);
    level.update();
    EXPECT_FLOAT_EQ(child->getTransform().getWorldPosition().z, 4.0f);
}

TEST(Level, UpdatesThe3DTreeAndThe2DTree) {
    FakeLevel level;
    auto* entity = new Entity("entity");
    auto* overlay = new Entity2D("overlay");
    level.getRootEntity().attach(*entity);
    level.getRootEntity2D().attach(*overlay);
    level.update();
    EXPECT_TRUE(entity->isEnabled(true));
    EXPECT_TRUE(overlay->isEnabled(true));
}

TEST(Level, DestroyedCurrentLevelLeavesNoCameraBehind) {
    ovra::LevelManager manager;
    {
        FakeLevel level;
        manager.addLevel(level, true);
        EXPECT_EQ(manager.camera(), nullptr);
    }
    EXPECT_EQ(manager.camera(), nullptr);
    manager.update();  // no current level: nothing runs
}
