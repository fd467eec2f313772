// The per-frame walk over a node's children while the children change the tree
// under it. Every case runs for both node families, whose updates wrap the walk.
#include "Fakes.hpp"
#include "ScriptedNode.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <type_traits>
#include <vector>

using ovra::Entity;
using ovra::Entity2D;
using ovra::Node;

namespace {

template <typename Family>
class NodeWalk : public testing::Test {
protected:
    using Scripted = ScriptedNode<Family>;
    using Action = std::function<void(Scripted&)>;

    // A tree-enabled root of the family under test.
    Family& root() {
        if constexpr (std::is_same_v<Family, Entity>) {
            return level_.getRootEntity();
        } else {
            return level_.getRootEntity2D();
        }
    }

    // A new node under `parent` that notes its name in `order` at each update, then
    // runs `action` (if any).
    Scripted* add(Node& parent, const std::string& name, Action action = {}) {
        auto* node = new Scripted(name, [this, action](Scripted& self) {
            order.push_back(self.getName());
            if (action) {
                action(self);
            }
        });
        parent.attach(*node);
        return node;
    }

    // Runs `action` the first time only.
    static Action once(Action action) {
        auto done = std::make_shared<bool>(false);
        return [action, done](Scripted& self) {
            if (!*done) {
                *done = true;
                action(self);
            }
        };
    }

    std::string updated() const {
        std::ostringstream out;
        for (const std::string& name : order) {
            out << (out.tellp() > 0 ? " " : "") << name;
        }
        return out.str();
    }

    std::vector<std::string> order;

private:
    FakeLevel level_;
};

using Families = testing::Types<Entity, Entity2D>;
TYPED_TEST_SUITE(NodeWalk, Families);

TYPED_TEST(NodeWalk, NodesAttachedDuringTheWalkAreUpdatedInItAfterThoseAlreadyThere) {
    using Scripted = typename TestFixture::Scripted;
    TypeParam parent("parent");
    this->add(parent, "a");
    this->add(parent, "b", [this](Scripted& self) {
        // Enough appends to move the list to new storage while it is being walked.
        for (int i = 0; i < 64; ++i) {
            this->add(*self.getParent(), "n" + std::to_string(i));
        }
        this->add(self, "k");
    });
    this->add(parent, "c");

    parent.update();

    std::string expected = "a b k c";
    for (int i = 0; i < 64; ++i) {
        expected += " n" + std::to_string(i);
    }
    EXPECT_EQ(this->updated(), expected);
    EXPECT_EQ(parent.countChildren(), 67u);
}

TYPED_TEST(NodeWalk, NodesRemovedDuringTheWalkAreSkippedAndTheOthersUpdatedOnce) {
    using Scripted = typename TestFixture::Scripted;
    // b acts on a, c or itself among the children a, b, c, d.
    struct Case {
        const char* what;
        std::function<void(Scripted& b, Node& a, Node& c, std::vector<std::unique_ptr<Node>>& taken)> act;
        const char* updated;
    };
    const Case cases[] = {
        {"detaches the next sibling",
         [](Scripted& b, Node&, Node& c, auto& taken) {
             b.getParent()->detach(c);
             taken.emplace_back(&c);
         },
         "a b d"},
        {"destroys the next sibling", [](Scripted&, Node&, Node& c, auto&) { delete &c; }, "a b d"},
        {"detaches the previous sibling",
         [](Scripted& b, Node& a, Node&, auto& taken) {
             b.getParent()->detach(a);
             taken.emplace_back(&a);
         },
         "a b c d"},
        {"destroys the previous sibling", [](Scripted&, Node& a, Node&, auto&) { delete &a; }, "a b c d"},
        {"detaches itself",
         [](Scripted& b, Node&, Node&, auto& taken) {
             b.getParent()->detach(b);
             taken.emplace_back(&b);
         },
         "a b c d"},
        {"destroys itself", [](Scripted& b, Node&, Node&, auto&) { delete &b; }, "a b c d"},
        {"detaches itself and attaches again",
         [](Scripted& b, Node&, Node&, auto&) {
             Node& parent = *b.getParent();
             parent.detach(b);
             parent.attach(b);
         },
         "a b c d"},
        {"destroys both neighbours",
         [](Scripted&, Node& a, Node& c, auto&) {
             delete &a;
             delete &c;
         },
         "a b d"},
    };
    for (const Case& c : cases) {
        this->order.clear();
        std::vector<std::unique_ptr<Node>> taken;
        {
            TypeParam parent("parent");
            Node* a = this->add(parent, "a");
            Node* cNode = nullptr;
            this->add(parent, "b", this->once([&](Scripted& b) { c.act(b, *a, *cNode, taken); }));
            cNode = this->add(parent, "c");
            this->add(parent, "d");

            parent.update();
        }
        EXPECT_EQ(this->updated(), c.updated) << "b " << c.what;
    }
}

TYPED_TEST(NodeWalk, ANodeMovedToTheEndTakesItsTurnOnlyIfItHadNoneYet) {
    using Scripted = typename TestFixture::Scripted;
    // Among the children a, b, c, d, the named nodes move a node to the end of the list
    // (detach, then attach again) at every turn they get. A node keeps moving for 20 turns
    // at most, so that a walk which hands out turn after turn still ends.
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> moves;  // who moves whom
        const char* updated;
    };
    const Case cases[] = {
        {"b moves itself", {{"b", "b"}}, "a b c d"},
        {"every node moves itself", {{"a", "a"}, {"b", "b"}, {"c", "c"}, {"d", "d"}}, "a b c d"},
        {"b moves c, still waiting", {{"b", "c"}}, "a b d c"},
        {"b moves a, already updated", {{"b", "a"}}, "a b c d"},
        {"b and c move each other", {{"b", "c"}, {"c", "b"}}, "a b d c"},
    };
    for (const Case& c : cases) {
        this->order.clear();
        TypeParam parent("parent");
        std::map<std::string, Node*> nodes;
        for (const char* name : {"a", "b", "c", "d"}) {
            auto turns = std::make_shared<int>(0);
            nodes[name] = this->add(parent, name, [&c, &nodes, turns](Scripted& self) {
                for (const auto& [who, whom] : c.moves) {
                    if (who == self.getName() && ++*turns <= 20) {
                        Node& moved = *nodes.at(whom);
                        Node& owner = *self.getParent();
                        owner.detach(moved);
                        owner.attach(moved);
                    }
                }
            });
        }

        parent.update();

        EXPECT_EQ(this->updated(), c.updated) << c.what;
        EXPECT_EQ(parent.countChildren(), 4u) << c.what;
        this->order.clear();
        parent.update();
        std::sort(this->order.begin(), this->order.end());
        EXPECT_EQ(this->updated(), "a b c d") << c.what << ": the next walk gives each node its turn again";
    }
}

TYPED_TEST(NodeWalk, EachChildTakesTheParentsFlagsAsTheyStandAtItsTurn) {
    using Scripted = typename TestFixture::Scripted;
    std::vector<std::pair<std::string, bool>> seen;
    auto note = [&seen](Scripted& self) { seen.emplace_back(self.getName(), self.isEnabled(true)); };
    Scripted* parent = this->add(this->root(), "parent");
    this->add(*parent, "x", note);
    this->add(*parent, "y", [&](Scripted& self) {
        note(self);
        parent->enable(false);
    });
    this->add(*parent, "z", [&](Scripted& self) {
        note(self);
        parent->enable(true);
    });
    this->add(*parent, "w", note);

    this->root().update();

    const std::vector<std::pair<std::string, bool>> expected = {{"x", true}, {"y", true}, {"z", false}, {"w", true}};
    EXPECT_EQ(seen, expected);
}

TYPED_TEST(NodeWalk, AnAncestorDestroyedByADescendantStopsItsWalkAndTheOuterWalkGoesOn) {
    using Scripted = typename TestFixture::Scripted;
    // The root's children are `top` and `after`; a chain of `depth` nodes hangs under
    // `top`, and its last node destroys `top` (its ancestor `depth` levels up).
    for (int depth = 1; depth <= 3; ++depth) {
        this->order.clear();
        int destroyed = 0;
        TypeParam root("root");
        Scripted* top = this->add(root, "top");
        top->onDestroyed = [&destroyed] { ++destroyed; };
        Node* chain = top;
        for (int level = 1; level < depth; ++level) {
            chain = this->add(*chain, "mid");
        }
        this->add(*chain, "last", [top](Scripted&) { delete top; });
        this->add(*chain, "unreached");
        this->add(root, "after");

        root.update();

        std::string expected = "top";
        for (int level = 1; level < depth; ++level) {
            expected += " mid";
        }
        EXPECT_EQ(this->updated(), expected + " last after") << "depth " << depth;
        EXPECT_EQ(destroyed, 1) << "depth " << depth;
        EXPECT_EQ(root.countChildren(), 1u) << "depth " << depth;
    }
}

TYPED_TEST(NodeWalk, ANestedWalkOfTheSameNodeKeepsTheOuterWalkInStep) {
    using Scripted = typename TestFixture::Scripted;
    TypeParam root("root");
    Scripted* parent = this->add(root, "p");
    Node* a = this->add(*parent, "a");
    this->add(*parent, "b", this->once([](Scripted& self) { self.getParent()->update(); }));
    // Inside the nested walk c takes a out: both walks must move back by one.
    this->add(*parent, "c", this->once([a](Scripted& self) { self.getParent()->detach(*a); }));
    this->add(*parent, "d");

    root.update();

    EXPECT_EQ(this->updated(), "p a b p a b c d c d");
    if (a->getParent() == nullptr) {
        delete a;
    }
}

}  // namespace
