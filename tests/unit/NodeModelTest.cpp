// Random sequences of node-tree operations, checked step by step against a plain model
// of the tree. Updates run scripted nodes that change the tree while it is walked.
// OVRA_NODE_MODEL_SEED and OVRA_NODE_MODEL_STEPS override the seed and the length of a run;
// a failure names the seed and step that reproduce it.
#include "Fakes.hpp"
#include "ScriptedNode.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

using ovra::Entity;
using ovra::Entity2D;
using ovra::Node;

namespace {

constexpr int kSlots = 26;  // the level's two roots, then the scripted nodes
constexpr int kFirstScripted = 2;
const char* const kNames[] = {"a", "b", "c"};

// What a scripted node does to the tree when it updates, at most once per step.
enum class Act {
    ATTACH_FREE_TO_PARENT,
    ATTACH_FREE_TO_SELF,
    DETACH_SELF,
    REATTACH_SELF,
    DETACH_SIBLING,
    DESTROY_SIBLING,
    DESTROY_SELF,
    DESTROY_ANCESTOR,
    ENABLE_PARENT,
    ENABLE_SIBLING,
    ENABLE_SELF,
    UPDATE_PARENT,
    COUNT
};

struct Plan {
    Act act = Act::COUNT;  // COUNT: nothing (left)
    int arg = 0;           // a node's slot, a sibling offset or an ancestor's distance
    bool flag = false;
};

using Log = std::vector<std::pair<int, bool>>;  // updated slot, its isEnabled(true) at that time

// The reference: a node is a slot holding its parent, its children list and flags.
class Model {
public:
    struct Node {
        bool alive = false;
        int parent = -1;
        std::vector<int> children;  // slots, in attach order
        bool enabled = true;
        bool treeEnabled = false;
        int updates = 0;
        std::string name;
        int64_t id = -1;
    };

    std::array<Node, kSlots> nodes;
    std::array<Plan, kSlots> plans;
    Log log;

    static bool scripted(int slot) { return slot >= kFirstScripted; }

    bool isAncestorOrSelf(int candidate, int of) const {
        for (int n = of; n != -1; n = nodes[n].parent) {
            if (n == candidate) {
                return true;
            }
        }
        return false;
    }

    void attach(int parent, int child) {
        if (parent == child || nodes[child].parent == parent) {
            return;
        }
        nodes[child].parent = parent;
        nodes[parent].children.push_back(child);
    }

    bool detach(int parent, int child) {
        auto& list = nodes[parent].children;
        for (auto it = list.begin(); it != list.end(); ++it) {
            if (*it == child) {
                nodes[child].parent = -1;
                list.erase(it);
                return true;
            }
        }
        return false;
    }

    void destroy(int slot) {
        const std::vector<int> children = nodes[slot].children;
        for (int child : children) {
            if (nodes[child].parent == slot) {
                nodes[child].parent = -1;
                destroy(child);
            }
        }
        if (nodes[slot].parent != -1) {
            detach(nodes[slot].parent, slot);
        }
        nodes[slot] = Node{};
    }

    // The node's own step (scripted nodes only), then its walk: each node in its list that
    // this walk has not visited yet, first to last, re-read after every child. A node that
    // left the list after its turn and came back is not visited twice.
    void update(int slot) {
        if (scripted(slot)) {
            Node& n = nodes[slot];
            log.emplace_back(slot, n.enabled && n.treeEnabled);
            ++n.updates;
            const Plan plan = std::exchange(plans[slot], Plan{});
            act(slot, plan);
            if (!nodes[slot].alive) {
                return;
            }
        }
        std::set<int64_t> visited;
        while (nodes[slot].alive) {
            int child = -1;
            for (int c : nodes[slot].children) {
                if (visited.count(nodes[c].id) == 0) {
                    child = c;
                    break;
                }
            }
            if (child == -1) {
                return;
            }
            visited.insert(nodes[child].id);
            if (nodes[child].parent != slot) {
                continue;
            }
            nodes[child].treeEnabled = nodes[slot].enabled && nodes[slot].treeEnabled;
            update(child);
        }
    }

    int find(int from, bool subChildren, const std::string* name, int64_t id) const {
        for (int child : nodes[from].children) {
            const Node& c = nodes[child];
            if (name != nullptr ? c.name == *name : c.id == id) {
                return child;
            }
            if (subChildren) {
                const int found = find(child, true, name, id);
                if (found != -1) {
                    return found;
                }
            }
        }
        return -1;
    }

private:
    int indexIn(int parent, int child) const {
        const auto& list = nodes[parent].children;
        for (size_t i = 0; i < list.size(); ++i) {
            if (list[i] == child) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    int sibling(int slot, int offset) const {
        const int parent = nodes[slot].parent;
        if (parent == -1) {
            return -1;
        }
        const int j = indexIn(parent, slot) + offset;
        const auto& list = nodes[parent].children;
        return j >= 0 && j < static_cast<int>(list.size()) && list[j] != slot ? list[j] : -1;
    }

    void attachFree(int target, int free) {
        if (target != -1 && nodes[free].alive && scripted(free) && nodes[free].parent == -1 &&
            !isAncestorOrSelf(free, target)) {
            attach(target, free);
        }
    }

    void act(int slot, const Plan& plan) {
        const int parent = nodes[slot].parent;
        switch (plan.act) {
            case Act::ATTACH_FREE_TO_PARENT: attachFree(parent, plan.arg); break;
            case Act::ATTACH_FREE_TO_SELF: attachFree(slot, plan.arg); break;
            case Act::DETACH_SELF:
                if (parent != -1) {
                    detach(parent, slot);
                }
                break;
            case Act::REATTACH_SELF:
                if (parent != -1) {
                    detach(parent, slot);
                    attach(parent, slot);
                }
                break;
            case Act::DETACH_SIBLING:
                if (const int s = sibling(slot, plan.arg); s != -1) {
                    detach(parent, s);
                }
                break;
            case Act::DESTROY_SIBLING:
                if (const int s = sibling(slot, plan.arg); s != -1) {
                    destroy(s);
                }
                break;
            case Act::DESTROY_SELF: destroy(slot); break;
            case Act::DESTROY_ANCESTOR: {
                int a = slot;
                for (int i = 0; i < plan.arg && a != -1; ++i) {
                    a = nodes[a].parent;
                }
                if (a != -1 && scripted(a)) {
                    destroy(a);
                }
                break;
            }
            case Act::ENABLE_PARENT:
                if (parent != -1) {
                    nodes[parent].enabled = plan.flag;
                }
                break;
            case Act::ENABLE_SIBLING:
                if (const int s = sibling(slot, plan.arg); s != -1) {
                    nodes[s].enabled = plan.flag;
                }
                break;
            case Act::ENABLE_SELF: nodes[slot].enabled = plan.flag; break;
            case Act::UPDATE_PARENT:
                if (parent != -1) {
                    update(parent);
                }
                break;
            case Act::COUNT: break;
        }
    }
};

// The real tree, driven in step with the model.
class NodeTreeRun {
public:
    explicit NodeTreeRun(uint64_t seed) : rng_(seed) {
        real_[0] = &level_.getRootEntity();
        real_[1] = &level_.getRootEntity2D();
        for (int s = 0; s < kFirstScripted; ++s) {
            slotOf_[real_[s]] = s;
            Model::Node& m = model_.nodes[s];
            m.alive = true;
            m.treeEnabled = true;
            m.name = real_[s]->getName();
            m.id = real_[s]->getID();
        }
    }

    ~NodeTreeRun() {
        // The test owns the nodes that have no parent; the level owns the rest.
        for (int s = kFirstScripted; s < kSlots; ++s) {
            if (real_[s] != nullptr && real_[s]->getParent() == nullptr) {
                delete real_[s];
            }
        }
    }

    NodeTreeRun(const NodeTreeRun&) = delete;
    NodeTreeRun& operator=(const NodeTreeRun&) = delete;

    // One random operation on both trees; the text of the first difference, if any.
    std::string step() {
        description_.str("");
        const int roll = pick(100);
        if (roll < 14) {
            create();
        } else if (roll < 34) {
            attach();
        } else if (roll < 42) {
            detach();
        } else if (roll < 46) {
            destroy();
        } else if (roll < 53) {
            enable();
        } else if (roll < 65) {
            find();
        } else if (roll < 72) {
            getChild();
        } else {
            update();
        }
        if (mismatch_.empty()) {
            compare();
        }
        return mismatch_.empty() ? std::string() : description_.str() + ": " + mismatch_;
    }

private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<uint64_t>(n)); }

    std::vector<int> aliveSlots(bool scriptedOnly) const {
        std::vector<int> slots;
        for (int s = scriptedOnly ? kFirstScripted : 0; s < kSlots; ++s) {
            if (model_.nodes[s].alive) {
                slots.push_back(s);
            }
        }
        return slots;
    }

    int pickAlive(bool scriptedOnly) {
        const std::vector<int> slots = aliveSlots(scriptedOnly);
        return slots.empty() ? -1 : slots[static_cast<size_t>(pick(static_cast<int>(slots.size())))];
    }

    int slotOf(const Node* node) const {
        if (node == nullptr) {
            return -1;
        }
        auto it = slotOf_.find(node);
        return it != slotOf_.end() ? it->second : -2;
    }

    void create() {
        int slot = -1;
        for (int s = kFirstScripted; s < kSlots && slot == -1; ++s) {
            slot = model_.nodes[s].alive ? -1 : s;
        }
        if (slot == -1) {
            return;
        }
        const std::string name = kNames[pick(3)];
        const bool flat = pick(2) == 1;
        description_ << "create " << (flat ? "2D " : "3D ") << name << " in " << slot;
        auto step = [this, slot](Node& self) { onRealUpdate(slot, self); };
        Node* node = nullptr;
        if (flat) {
            auto* n = new ScriptedNode<Entity2D>(name, step);
            n->onDestroyed = [this, slot] { forget(slot); };
            node = n;
        } else {
            auto* n = new ScriptedNode<Entity>(name, step);
            n->onDestroyed = [this, slot] { forget(slot); };
            node = n;
        }
        real_[slot] = node;
        slotOf_[node] = slot;
        realUpdates_[slot] = 0;
        Model::Node& m = model_.nodes[slot];
        m = Model::Node{};
        m.alive = true;
        m.name = name;
        m.id = nextId_ < 0 ? node->getID() : nextId_;
        nextId_ = m.id + 1;
    }

    void forget(int slot) {
        slotOf_.erase(real_[slot]);
        real_[slot] = nullptr;
    }

    void attach() {
        const int parent = pickAlive(false);
        const int variant = pick(10);
        int child = -1;
        if (variant == 0) {
            child = parent;  // onto itself
        } else if (variant == 1 && !model_.nodes[parent].children.empty()) {
            const auto& list = model_.nodes[parent].children;
            child = list[static_cast<size_t>(pick(static_cast<int>(list.size())))];  // once more
        } else {
            // A node without a parent that is not above the new parent.
            std::vector<int> free;
            for (int s : aliveSlots(true)) {
                if (model_.nodes[s].parent == -1 && !model_.isAncestorOrSelf(s, parent)) {
                    free.push_back(s);
                }
            }
            if (free.empty()) {
                return;
            }
            child = free[static_cast<size_t>(pick(static_cast<int>(free.size())))];
        }
        description_ << "attach " << child << " to " << parent;
        Node& returned = real_[parent]->attach(*real_[child]);
        model_.attach(parent, child);
        if (&returned != real_[parent]) {
            mismatch_ = "attach did not return the parent";
        }
    }

    void detach() {
        const int parent = pickAlive(false);
        int child = pickAlive(true);
        if (child == -1) {
            return;
        }
        if (pick(2) == 0 && !model_.nodes[parent].children.empty()) {
            const auto& list = model_.nodes[parent].children;
            child = list[static_cast<size_t>(pick(static_cast<int>(list.size())))];
        }
        description_ << "detach " << child << " from " << parent;
        const bool detached = real_[parent]->detach(*real_[child]);
        if (detached != model_.detach(parent, child)) {
            mismatch_ = "detach answered " + std::to_string(detached);
        }
    }

    void destroy() {
        const int slot = pickAlive(true);
        if (slot == -1) {
            return;
        }
        description_ << "destroy " << slot;
        delete real_[slot];
        model_.destroy(slot);
    }

    void enable() {
        const int slot = pickAlive(false);
        const bool on = pick(3) != 0;
        description_ << "enable " << slot << " " << on;
        real_[slot]->enable(on);
        model_.nodes[slot].enabled = on;
    }

    void find() {
        const int from = pickAlive(false);
        const bool deep = pick(2) == 1;
        int real = -1;
        int expected = -1;
        if (pick(2) == 0) {
            const std::string name = pick(5) == 0 ? "none" : kNames[pick(3)];
            description_ << "find name " << name << " under " << from << (deep ? " deep" : "");
            real = slotOf(real_[from]->findChild(name, deep));
            expected = model_.find(from, deep, &name, 0);
        } else {
            const int target = pickAlive(false);
            const int64_t id = pick(5) == 0 ? model_.nodes[target].id + 100000 : model_.nodes[target].id;
            description_ << "find id " << id << " under " << from << (deep ? " deep" : "");
            real = slotOf(real_[from]->findChild(static_cast<unsigned long>(id), deep));
            expected = model_.find(from, deep, nullptr, id);
        }
        if (real != expected) {
            mismatch_ = "found " + std::to_string(real) + ", expected " + std::to_string(expected);
        }
    }

    void getChild() {
        const int parent = pickAlive(false);
        const int count = static_cast<int>(model_.nodes[parent].children.size());
        const int i = pick(count + 2);
        description_ << "child " << i << " of " << parent;
        const int real = slotOf(real_[parent]->getChild(static_cast<unsigned int>(i)));
        const int expected = i < count ? model_.nodes[parent].children[static_cast<size_t>(i)] : -1;
        if (real != expected) {
            mismatch_ = "got " + std::to_string(real) + ", expected " + std::to_string(expected);
        }
    }

    void update() {
        const int slot = pickAlive(false);
        description_ << "update " << slot << " with steps:";
        for (int s : aliveSlots(true)) {
            if (pick(3) != 0) {
                continue;
            }
            Plan plan;
            plan.act = static_cast<Act>(pick(static_cast<int>(Act::COUNT)));
            plan.flag = pick(2) == 1;
            switch (plan.act) {
                case Act::ATTACH_FREE_TO_PARENT:
                case Act::ATTACH_FREE_TO_SELF: plan.arg = kFirstScripted + pick(kSlots - kFirstScripted); break;
                case Act::DETACH_SIBLING:
                case Act::DESTROY_SIBLING:
                case Act::ENABLE_SIBLING: plan.arg = pick(2) == 0 ? -1 - pick(2) : 1 + pick(2); break;
                case Act::DESTROY_ANCESTOR: plan.arg = 1 + pick(2); break;
                default: break;
            }
            model_.plans[s] = plan;
            description_ << " " << s << ":" << static_cast<int>(plan.act) << "/" << plan.arg << "/" << plan.flag;
        }
        realPlans_ = model_.plans;
        realLog_.clear();
        model_.log.clear();
        real_[slot]->update();
        model_.update(slot);
        model_.plans = {};
        if (realLog_ != model_.log) {
            mismatch_ = "updated " + text(realLog_) + ", expected " + text(model_.log);
        }
    }

    static std::string text(const Log& log) {
        std::ostringstream out;
        for (const auto& [slot, enabled] : log) {
            out << slot << (enabled ? "+ " : "- ");
        }
        return out.str();
    }

    // A scripted node's step in the real tree: the model's plan, carried out through
    // the public node operations only.
    void onRealUpdate(int slot, Node& self) {
        ++realUpdates_[slot];
        realLog_.emplace_back(slot, self.isEnabled(true));
        const Plan plan = std::exchange(realPlans_[slot], Plan{});
        Node* parent = self.getParent();
        switch (plan.act) {
            case Act::ATTACH_FREE_TO_PARENT: attachFree(parent, plan.arg); break;
            case Act::ATTACH_FREE_TO_SELF: attachFree(&self, plan.arg); break;
            case Act::DETACH_SELF:
                if (parent != nullptr) {
                    parent->detach(self);
                }
                break;
            case Act::REATTACH_SELF:
                if (parent != nullptr) {
                    parent->detach(self);
                    parent->attach(self);
                }
                break;
            case Act::DETACH_SIBLING:
                if (Node* s = sibling(self, plan.arg)) {
                    parent->detach(*s);
                }
                break;
            case Act::DESTROY_SIBLING: delete sibling(self, plan.arg); break;
            case Act::DESTROY_SELF: delete &self; break;
            case Act::DESTROY_ANCESTOR: {
                Node* a = &self;
                for (int i = 0; i < plan.arg && a != nullptr; ++i) {
                    a = a->getParent();
                }
                if (a != nullptr && slotOf(a) >= kFirstScripted) {
                    delete a;
                }
                break;
            }
            case Act::ENABLE_PARENT:
                if (parent != nullptr) {
                    parent->enable(plan.flag);
                }
                break;
            case Act::ENABLE_SIBLING:
                if (Node* s = sibling(self, plan.arg)) {
                    s->enable(plan.flag);
                }
                break;
            case Act::ENABLE_SELF: self.enable(plan.flag); break;
            case Act::UPDATE_PARENT:
                if (parent != nullptr) {
                    parent->update();
                }
                break;
            case Act::COUNT: break;
        }
    }

    static Node* sibling(const Node& self, int offset) {
        const Node* parent = self.getParent();
        if (parent == nullptr) {
            return nullptr;
        }
        const std::vector<Node*>& list = parent->getChildren();
        int index = -1;
        for (size_t i = 0; i < list.size() && index == -1; ++i) {
            index = list[i] == &self ? static_cast<int>(i) : -1;
        }
        const int j = index + offset;
        return j >= 0 && j < static_cast<int>(list.size()) && list[static_cast<size_t>(j)] != &self
                   ? list[static_cast<size_t>(j)]
                   : nullptr;
    }

    void attachFree(Node* target, int slot) {
        Node* free = real_[slot];
        if (target == nullptr || free == nullptr || free->getParent() != nullptr) {
            return;
        }
        for (const Node* n = target; n != nullptr; n = n->getParent()) {
            if (n == free) {
                return;
            }
        }
        target->attach(*free);
    }

    void compare() {
        std::ostringstream out;
        for (int s = 0; s < kSlots && out.tellp() == 0; ++s) {
            const Model::Node& m = model_.nodes[s];
            const Node* r = real_[s];
            if ((r != nullptr) != m.alive) {
                out << "node " << s << (m.alive ? " is gone" : " is still there");
                break;
            }
            if (r == nullptr) {
                continue;
            }
            std::vector<int> children;
            for (const Node* c : r->getChildren()) {
                children.push_back(slotOf(c));
            }
            const std::vector<int>& expectedChildren = m.children;
            if (slotOf(r->getParent()) != m.parent) {
                out << "node " << s << " has parent " << slotOf(r->getParent()) << ", expected " << m.parent;
            } else if (children != expectedChildren || r->countChildren() != expectedChildren.size()) {
                out << "node " << s << " has other children";
            } else if (r->isEnabled(false) != m.enabled || r->isEnabled(true) != (m.enabled && m.treeEnabled)) {
                out << "node " << s << " has other flags";
            } else if (Model::scripted(s) && realUpdates_[s] != m.updates) {
                out << "node " << s << " was updated " << realUpdates_[s] << " times, expected " << m.updates;
            } else if (r->getName() != m.name || r->getID() != m.id) {
                out << "node " << s << " is " << r->getName() << " " << r->getID();
            }
        }
        mismatch_ = out.str();
    }

    std::mt19937_64 rng_;
    Model model_;
    std::array<Node*, kSlots> real_{};
    std::array<int, kSlots> realUpdates_{};
    std::array<Plan, kSlots> realPlans_{};
    Log realLog_;
    std::unordered_map<const Node*, int> slotOf_;
    int64_t nextId_ = -1;
    std::ostringstream description_;
    std::string mismatch_;
    // Last, so that it goes first: the nodes under its roots report their end to the members above.
    FakeLevel level_;
};

uint64_t fromEnvironment(const char* name, uint64_t fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtoull(value, nullptr, 10) : fallback;
}

}  // namespace

TEST(NodeTreeModel, RandomOperationsMatchThePlainModelAfterEveryStep) {
    const uint64_t seed = fromEnvironment("OVRA_NODE_MODEL_SEED", 20261210);
    const uint64_t steps = fromEnvironment("OVRA_NODE_MODEL_STEPS", 100000);
    NodeTreeRun run(seed);
    for (uint64_t i = 0; i < steps; ++i) {
        const std::string mismatch = run.step();
        if (!mismatch.empty()) {
            FAIL() << "seed " << seed << ", step " << i << ": " << mismatch
                   << " (rerun with OVRA_NODE_MODEL_SEED=" << seed << ")";
        }
    }
}
