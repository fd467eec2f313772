#include "CapturedStdout.hpp"

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
    ovra::Entity2D other("other");
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

TEST(Visual, MeshOfAVisualWithoutOneIsAnEmptyStandIn) {
    Entity entity("entity");
    Visual* visual = newVisual(entity);
    CapturedStdout out;
    ovra::Mesh& mesh = visual->getMesh();
    EXPECT_EQ(out.lines(), std::vector<std::string>{"ERROR: Ovra: Visual: no mesh set"});
    EXPECT_FALSE(mesh.hasSubMesh(0));
    EXPECT_FALSE(visual->hasMesh()) << "the stand-in is not given to the visual";
}

TEST(Visual, DestroyingAVisualStillListedTakesItOutOfItsTable) {
    Entity entity("entity");
    ovra::Entity2D overlay("overlay");
    long id = 0;
    long id2D = 0;
    {
        Visual visual(entity);
        Visual visual2D(overlay);
        id = visual.getID();
        id2D = visual2D.getID();
        ObjectManager::addVisual(&visual);
        ObjectManager::addVisual2D(&visual2D);
        ASSERT_EQ(ObjectManager::getVisual(id), &visual);
        ASSERT_EQ(ObjectManager::getVisual2D(id2D), &visual2D);
    }
    EXPECT_EQ(ObjectManager::getVisual(id), nullptr);
    EXPECT_EQ(ObjectManager::getVisual2D(id2D), nullptr);
}

TEST(VisualRegistry, RefusesNoVisualAndAVisualOfTheOtherKindOfNode) {
    Entity entity("entity");
    ovra::Entity2D overlay("overlay");
    Visual on3D(entity);
    Visual on2D(overlay);
    const struct {
        const char* name;
        void (*add)(Visual*);
        Visual* visual;
        std::string line;
    } cases[] = {
        {"3D table, no visual", ObjectManager::addVisual, nullptr, "ERROR: Ovra: ObjectManager: no visual given"},
        {"overlay table, no visual", ObjectManager::addVisual2D, nullptr,
         "ERROR: Ovra: ObjectManager: no visual given"},
        {"3D table, overlay node", ObjectManager::addVisual, &on2D,
         "ERROR: Ovra: ObjectManager: visual " + std::to_string(on2D.getID()) + " is not on a 3D entity"},
        {"overlay table, 3D node", ObjectManager::addVisual2D, &on3D,
         "ERROR: Ovra: ObjectManager: visual " + std::to_string(on3D.getID()) + " is not on a 2D entity"},
    };
    for (const auto& c : cases) {
        const size_t before = ObjectManager::getVisuals().size() + ObjectManager::getVisuals2D().size();
        CapturedStdout out;
        c.add(c.visual);
        EXPECT_EQ(out.lines(), std::vector<std::string>{c.line}) << c.name;
        EXPECT_EQ(ObjectManager::getVisuals().size() + ObjectManager::getVisuals2D().size(), before) << c.name;
    }
}
