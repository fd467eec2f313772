#ifndef OVRA_TESTS_SCRIPTEDNODE_HPP
#define OVRA_TESTS_SCRIPTEDNODE_HPP

#include <functional>
#include <memory>
#include <string>

// A node of either family (Entity or Entity2D) that runs the test's step at the start
// of each of its updates, before its own walk over its children, and reports its
// destruction. The step may change the tree in any way, destroying this node included.
template <typename Base>
class ScriptedNode : public Base {
public:
    using Step = std::function<void(ScriptedNode&)>;

    explicit ScriptedNode(const std::string& name, Step step = {}) : Base(name), step_(std::move(step)) {}
    ~ScriptedNode() override {
        if (destroyedDuringStep_ != nullptr) {
            *destroyedDuringStep_ = true;
        }
        if (onDestroyed) {
            onDestroyed();
        }
    }

    void update() override {
        auto destroyed = std::make_shared<bool>(false);
        const std::shared_ptr<bool> outer = destroyedDuringStep_;
        destroyedDuringStep_ = destroyed;
        if (step_) {
            Step step = step_;  // a copy: the step may destroy this node and its members
            step(*this);
        }
        if (*destroyed) {
            if (outer != nullptr) {
                *outer = true;
            }
            return;
        }
        destroyedDuringStep_ = outer;
        Base::update();
    }

    void setStep(Step step) { step_ = std::move(step); }

    std::function<void()> onDestroyed;

private:
    Step step_;
    std::shared_ptr<bool> destroyedDuringStep_;  // set while a step runs; shared, as the step may destroy this node
};

#endif
