#include "CapturedStdout.hpp"
#include "ScriptedNode.hpp"

#include "Ovra3D/2D/Entity2D.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Entity.hpp"
#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Visual.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <map>
#include <memory>
#include <type_traits>
#include <vector>

using ovra::Component;
using ovra::Entity;
using ovra::Entity2D;
using ovra::Node;

namespace {

// Counts the hooks run on it and its own destruction.
class ProbeEntity : public Entity {
public:
    explicit ProbeEntity(const std::string& name, int* destroyed = nullptr) : Entity(name), destroyed_(destroyed) {}
    ~ProbeEntity() override {
        if (destroyed_ != nullptr) {
            ++*destroyed_;
        }
    }
    int attached = 0;
    int detached = 0;

protected:
    void onAttached(Node& child) override {
        ++attached;
        Entity::onAttached(child);
    }
    void onDetached(Node& child) override {
        ++detached;
        Entity::onDetached(child);
    }

private:
    int* destroyed_;
};

}  // namespace

TEST(Node, SequenceNumbersAreSharedByEveryNodeKindAndCountUp) {
    Entity a("a");
    Entity2D b("b");
    Entity c("c");
    EXPECT_EQ(b.getID(), a.getID() + 1);
    EXPECT_EQ(c.getID(), a.getID() + 2);
    Entity d("d");
    EXPECT_EQ(d.getID(), c.getID() + 1);
}

TEST(Node, AttachingSelfOrTwiceChangesNothing) {
    ProbeEntity parent("parent");
    auto* child = new Entity("child");
    EXPECT_EQ(&parent.attach(*child), &parent);
    parent.attach(*child);
    parent.attach(parent);
    EXPECT_EQ(parent.countChildren(), 1u);
    EXPECT_EQ(parent.attached, 1);
    EXPECT_EQ(child->getParent(), &parent);
}

TEST(Node, DetachMatchesByNumberKeepsOrderAndHandsTheChildBack) {
    ProbeEntity parent("parent");
    auto* first = new Entity("first");
    Entity second("second");
    auto* third = new Entity("third");
    parent.attach(*first).attach(second).attach(*third);

    Entity stranger("stranger");
    EXPECT_FALSE(parent.detach(stranger));
    EXPECT_EQ(parent.detached, 0);

    EXPECT_TRUE(parent.detach(second));
    EXPECT_EQ(parent.detached, 1);
    EXPECT_EQ(second.getParent(), nullptr);
    ASSERT_EQ(parent.countChildren(), 2u);
    EXPECT_EQ(parent.getChild(0), first);
    EXPECT_EQ(parent.getChild(1), third);
    EXPECT_EQ(parent.getChild(2), nullptr);
    EXPECT_EQ(stranger.getChild(0), nullptr);
}

TEST(Node, SearchIsDepthFirstInAttachOrderAndNeverReturnsItself) {
    Entity root("root");
    auto* first = new Entity("first");
    auto* grandchild = new Entity("target");
    auto* second = new Entity("second");
    auto* third = new Entity("target");
    root.attach(*first).attach(*second).attach(*third);
    first->attach(*grandchild);

    EXPECT_EQ(root.findChild("target", false), third);
    EXPECT_EQ(root.findChild("target", true), grandchild);
    EXPECT_EQ(root.findChild("root", true), nullptr);
    EXPECT_EQ(root.findChild("absent", true), nullptr);
    EXPECT_EQ(root.findChild(static_cast<unsigned long>(grandchild->getID()), false), nullptr);
    EXPECT_EQ(root.findChild(static_cast<unsigned long>(grandchild->getID()), true), grandchild);
    EXPECT_EQ(root.findChild(static_cast<unsigned long>(second->getID()), false), second);
}

TEST(Node, DumpListsDirectChildrenThenEachChildsBlock) {
    Entity root("RootEntity");
    auto* cat = new Entity("Cat");
    auto* dog = new Entity("Dog");
    auto* tail = new Entity("Tail");
    root.attach(*cat).attach(*dog);
    cat->attach(*tail);

    testing::internal::CaptureStdout();
    root.toStringChildren();
    const std::string out = testing::internal::GetCapturedStdout();

    auto line = [](const Node& p, const Node& c) {
        return "(" + std::to_string(p.getID()) + ") " + p.getName() + " -> (" + std::to_string(c.getID()) + ") " +
               c.getName() + "\n";
    };
    EXPECT_EQ(out, line(root, *cat) + line(root, *dog) + line(*cat, *tail));
}

TEST(Node, NodeOutsideALevelIsEnabledOnlyWithoutTheTreeCheck) {
    Entity loose("loose");
    EXPECT_TRUE(loose.isEnabled(false));
    EXPECT_FALSE(loose.isEnabled(true));
}

TEST(Node, AttachingUnderAnotherParentMovesTheChild) {
    Entity a("a");
    Entity b("b");
    auto* moved = new ProbeEntity("moved");
    a.attach(*moved);
    b.attach(*moved);
    EXPECT_EQ(a.countChildren(), 0u);
    ASSERT_EQ(b.countChildren(), 1u);
    EXPECT_EQ(moved->getParent(), &b);
    moved->getTransform().setPosition(1, 0, 0);
    b.getTransform().setPosition(5, 0, 0);
    b.update();
    EXPECT_FLOAT_EQ(moved->getTransform().getWorldPosition().x, 6.0f);
    delete moved;  // no stale entry is left in a for its walk to reach
    a.update();
    EXPECT_EQ(b.countChildren(), 0u);
}

TEST(Node, AttachingAnAncestorIsRefusedWithALine) {
    Entity root("root");
    auto* child = new Entity("child");
    auto* grandchild = new Entity("grandchild");
    root.attach(*child);
    child->attach(*grandchild);
    const struct {
        Node* below;
        Node* ancestor;
    } cases[] = {{child, &root}, {grandchild, &root}, {grandchild, child}};
    for (const auto& c : cases) {
        CapturedStdout out;
        c.below->attach(*c.ancestor);
        EXPECT_NE(
            out.text().find("ERROR: Ovra: Node: " + c.ancestor->getName() + " is an ancestor of " + c.below->getName()),
            std::string::npos);
    }
    EXPECT_EQ(root.getParent(), nullptr);
    EXPECT_EQ(child->getParent(), &root);
    EXPECT_EQ(grandchild->getParent(), child);
    EXPECT_EQ(grandchild->countChildren(), 0u);
    root.update();  // ends: no cycle was made
}

TEST(Node, DestroyingAParentDestroysEachChildOnceAndRunsNoHookOfIt) {
    int destroyed = 0;
    auto* parent = new ProbeEntity("parent", &destroyed);
    auto* child = new ProbeEntity("child", &destroyed);
    child->attach(*new ProbeEntity("grandchild", &destroyed));
    parent->attach(*child).attach(*new ProbeEntity("second", &destroyed));
    const int detachedBefore = parent->detached;

    Entity holder("holder");
    holder.attach(*parent);
    delete parent;  // leaves the holder, takes its subtree with it

    EXPECT_EQ(destroyed, 4);
    EXPECT_EQ(detachedBefore, 0);
    EXPECT_EQ(holder.countChildren(), 0u);
}

TEST(Node, ComponentFactoryChecksKindAndKeepsTheFirstComponent) {
    Entity entity("entity");
    Entity2D overlay("overlay");

    EXPECT_EQ(entity.newComponent(Component::NONE), nullptr);
    EXPECT_EQ(entity.getComponent(Component::NONE), nullptr);
    EXPECT_EQ(overlay.newComponent(Component::VISUAL), nullptr);
    EXPECT_EQ(overlay.newComponent(Component::CAMERA), nullptr);
    EXPECT_EQ(entity.newComponent(Component::VISUAL2D), nullptr);
    EXPECT_EQ(entity.newComponent(static_cast<Component::COMPONENT_TYPE>(42)), nullptr);

    Component* camera = entity.newComponent(Component::CAMERA);
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(&camera->getNode(), &entity);
    EXPECT_EQ(entity.newComponent(Component::CAMERA), nullptr);
    EXPECT_EQ(entity.getComponent(Component::CAMERA), camera);
}

TEST(Node, VisualsAreRegisteredByKindAndLeaveTheRegistryWithTheirNode) {
    auto* entity = new Entity("entity");
    auto* overlay = new Entity2D("overlay");
    auto* visual = static_cast<ovra::Visual*>(entity->newComponent(Component::VISUAL));
    auto* visual2D = static_cast<ovra::Visual*>(overlay->newComponent(Component::VISUAL2D));
    ASSERT_NE(visual, nullptr);
    ASSERT_NE(visual2D, nullptr);
    EXPECT_EQ(visual2D->getID(), visual->getID() + 1);

    EXPECT_EQ(ovra::ObjectManager::getVisual(visual->getID()), visual);
    EXPECT_EQ(ovra::ObjectManager::getVisual2D(visual->getID()), nullptr);
    EXPECT_EQ(ovra::ObjectManager::getVisual2D(visual2D->getID()), visual2D);
    EXPECT_EQ(ovra::ObjectManager::getVisual(visual2D->getID()), nullptr);

    const long id = visual->getID();
    const long id2D = visual2D->getID();
    delete entity;
    delete overlay;
    EXPECT_EQ(ovra::ObjectManager::getVisual(id), nullptr);
    EXPECT_EQ(ovra::ObjectManager::getVisual2D(id2D), nullptr);
}

TEST(Node, WhatNamesNothingAnswersNullOrFalseSilentlyAndChangesNothing) {
    ProbeEntity root("root");
    auto* child = new Entity("child");
    auto* grandchild = new Entity("grandchild");
    root.attach(*child);
    child->attach(*grandchild);
    Entity elsewhere("elsewhere");

    const struct {
        const char* name;
        std::function<bool()> answersNothing;
    } cases[] = {
        {"child index far past the end", [&] { return root.getChild(UINT_MAX) == nullptr; }},
        {"child of a leaf", [&] { return grandchild->getChild(0) == nullptr; }},
        {"number of a node outside the tree",
         [&] { return root.findChild(static_cast<unsigned long>(elsewhere.getID()), true) == nullptr; }},
        {"number never given", [&] { return root.findChild(ULONG_MAX, true) == nullptr; }},
        {"empty name", [&] { return root.findChild(std::string(), true) == nullptr; }},
        {"detach of itself", [&] { return !root.detach(root); }},
        {"detach of a grandchild", [&] { return !root.detach(*grandchild); }},
        {"detach of a node never attached", [&] { return !root.detach(elsewhere); }},
        {"component kind without a rule",
         [&] {
             return root.getComponent(static_cast<Component::COMPONENT_TYPE>(99)) == nullptr &&
                    root.newComponent(static_cast<Component::COMPONENT_TYPE>(99)) == nullptr;
         }},
    };
    for (const auto& c : cases) {
        CapturedStdout out;
        EXPECT_TRUE(c.answersNothing()) << c.name;
        EXPECT_EQ(out.text(), "") << c.name;
        EXPECT_EQ(root.countChildren(), 1u) << c.name;
        EXPECT_EQ(child->countChildren(), 1u) << c.name;
        EXPECT_EQ(grandchild->getParent(), child) << c.name;
        EXPECT_EQ(root.detached, 0) << c.name;
    }
}

namespace {

// While a parent is destroyed, the destructor of one of the nodes below it acts on the
// tree. The parent has the children a (over a child g), b and c; every node notes its
// destruction, and every case runs for both node families.
template <typename Family>
class NodeDestruction : public testing::Test {
protected:
    using Noted = ScriptedNode<Family>;

    // A fresh tree; `act` runs as the destruction of node `actor` begins.
    Family* build(const std::string& actor, std::function<void()> act) {
        destroyed.clear();
        nodes.clear();
        auto* parent = new Family("parent");
        for (const char* name : {"a", "b", "c", "g"}) {
            auto* node = new Noted(name);
            node->onDestroyed = [this, name = std::string(name), actor, act] {
                destroyed += (destroyed.empty() ? "" : " ") + name;
                if (name == actor) {
                    act();
                }
            };
            nodes[name] = node;
            Node& under = std::string(name) == "g" ? static_cast<Node&>(*nodes["a"]) : static_cast<Node&>(*parent);
            under.attach(static_cast<Node&>(*node));
        }
        return parent;
    }

    std::map<std::string, Noted*> nodes;
    std::string destroyed;  // names, in the order their destruction began
};

using Families = testing::Types<Entity, Entity2D>;
TYPED_TEST_SUITE(NodeDestruction, Families);

}  // namespace

TYPED_TEST(NodeDestruction, ADestructorMayDestroyNodesStillWaitingTheirTurn) {
    const struct {
        const char* what;
        const char* actor;
        std::vector<std::string> victims;
        const char* order;
    } cases[] = {
        {"a destroys its next sibling", "a", {"b"}, "a b g c"},
        {"a destroys both its siblings", "a", {"c", "b"}, "a c b g"},
        {"g destroys a sibling of its parent", "g", {"b"}, "a g b c"},
    };
    for (const auto& c : cases) {
        auto& nodes = this->nodes;
        TypeParam* parent = this->build(c.actor, [&nodes, &c] {
            for (const std::string& victim : c.victims) {
                delete nodes.at(victim);
            }
        });
        delete parent;
        EXPECT_EQ(this->destroyed, c.order) << c.what << ": each node once, the others in their order";
    }
}

TYPED_TEST(NodeDestruction, ADestructorMayTakeAWaitingSiblingAwayButNotGiveTheParentANewChild) {
    std::unique_ptr<Node> kept;
    TypeParam* parent = this->build("a", [this, &kept, &parent] {
        Node& b = *this->nodes.at("b");
        EXPECT_TRUE(static_cast<Node*>(parent)->detach(b));
        kept.reset(&b);
    });
    delete parent;
    EXPECT_EQ(this->destroyed, "a g c");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->getParent(), nullptr);
    if constexpr (std::is_same_v<TypeParam, Entity>) {
        EXPECT_FALSE(static_cast<Entity&>(*kept).getTransform().hasParent()) << "no link to the destroyed transform";
    }
    kept.reset();
    EXPECT_EQ(this->destroyed, "a g c b");

    TypeParam newcomer("newcomer");
    CapturedStdout out;
    Node* half = nullptr;  // as a Node: its derived part is gone by then
    parent = this->build("a", [&half, &newcomer] { half->attach(newcomer); });
    half = parent;
    delete parent;
    EXPECT_EQ(out.lines(), std::vector<std::string>{"ERROR: Ovra: Node: parent is being destroyed and cannot take "
                                                    "newcomer as its child"});
    EXPECT_EQ(newcomer.getParent(), nullptr);
    EXPECT_EQ(this->destroyed, "a g b c");
}
