#include "Ovra3D/2D/Entity2D.hpp"
#include "Ovra3D/Entity.hpp"
#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/widgets/Mesh.hpp"

#include <gtest/gtest.h>

using ovra::Component;
using ovra::Entity;
using ovra::ObjectManager;
using ovra::Visual;

namespace {

// A mesh without sub-meshes needs no GL; it reports its own destruction.
class TracedMesh : public ovra::Mesh {
public:
    explicit TracedMesh(bool& destroyed) : destroyed_(destroyed) {}
    ~TracedMesh() override { destroyed_ = true; }

private:
    bool& destroyed_;
};

Visual* newVisual(Entity& entity) { return static_cast<Visual*>(entity.newComponent(Component::VISUAL)); }

}  // namespace

TEST(VisualRegistry, ListsVisualsInCreationOrderUnderTheirIds) {
    Entity a("a");
    Entity b("b");
    Entity c("c");
    Visual* va = newVisual(a);
    Visual* vb = newVisual(b);
    Visual* vc = newVisual(c);
    EXPECT_EQ(vb->getID(), va->getID() + 1);
    EXPECT_EQ(vc->getID(), va->getID() + 2);

    std::vector<Visual*> order;
    for (const auto& [id, visual] : ObjectManager::getVisuals()) {
        EXPECT_EQ(id, visual->getID());
        if (visual == va || visual == vb || visual == vc) {
            order.push_back(visual);
        }
    }
    EXPECT_EQ(order, (std::vector<Visual*>{va, vb, vc}));
}

TEST(VisualRegistry, AddingTwiceKeepsOneEntryAndLookupsAddNothing) {
    Entity other("other");
    Visual stranger(other);  // made outside the factory, so in no table yet
    const size_t size3D = ObjectManager::getVisuals().size();
    const size_t size2D = ObjectManager::getVisuals2D().size();

    ObjectManager::addVisual2D(&stranger);
    ObjectManager::addVisual2D(&stranger);
    EXPECT_EQ(ObjectManager::getVisuals2D().size(), size2D + 1);
    EXPECT_EQ(ObjectManager::getVisual2D(stranger.getID()), &stranger);
    EXPECT_EQ(ObjectManager::getVisual(stranger.getID()), nullptr) << "the 3D table is another table";

    EXPECT_EQ(ObjectManager::removeVisual2D(stranger.getID()), &stranger);
    EXPECT_EQ(ObjectManager::removeVisual2D(stranger.getID()), nullptr) << "absent";
    EXPECT_EQ(ObjectManager::removeVisual(stranger.getID()), nullptr) << "absent";
    EXPECT_EQ(ObjectManager::getVisual2D(stranger.getID()), nullptr);
    EXPECT_EQ(ObjectManager::getVisuals().size(), size3D) << "lookups add no entry";
    EXPECT_EQ(ObjectManager::getVisuals2D().size(), size2D);
}

TEST(Visual, DestroysItsMeshOnlyWhenItOwnsIt) {
    bool ownedGone = false;
    bool borrowedGone = false;
    auto* borrowed = new TracedMesh(borrowedGone);
    {
        Entity owner("owner");
        newVisual(owner)->setMesh(new TracedMesh(ownedGone), true);
        Entity borrower("borrower");
        newVisual(borrower)->setMesh(borrowed, false);
    }
    EXPECT_TRUE(ownedGone);
    EXPECT_FALSE(borrowedGone);
    delete borrowed;
}

TEST(Visual, SettingAnotherMeshDropsTheFirstWithoutDestroyingIt) {
    bool firstGone = false;
    bool secondGone = false;
    auto* first = new TracedMesh(firstGone);
    {
        Entity holder("holder");
        Visual* visual = newVisual(holder);
        EXPECT_FALSE(visual->hasMesh());
        visual->setMesh(first, true);
        visual->setMesh(new TracedMesh(secondGone), true);
        EXPECT_FALSE(firstGone);
        EXPECT_TRUE(visual->hasMesh());
    }
    EXPECT_FALSE(firstGone) << "dropped, not destroyed";
    EXPECT_TRUE(secondGone);
    delete first;
}
