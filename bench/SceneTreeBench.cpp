#include "Ovra3D/Entity.hpp"

#include <benchmark/benchmark.h>

namespace {

// 1 root, 9 children, 90 grandchildren, 900 great-grandchildren: 1000 entities, four levels.
ovra::Entity* buildTree() {
    auto* root = new ovra::Entity("root");
    for (int i = 0; i < 9; ++i) {
        auto* a = new ovra::Entity("a");
        a->getTransform().setPosition(static_cast<float>(i), 0.0f, 1.0f);
        a->getTransform().rotateAroundUp(0.1f * static_cast<float>(i));
        root->attach(*a);
        for (int j = 0; j < 10; ++j) {
            auto* b = new ovra::Entity("b");
            b->getTransform().setPosition(1.0f, static_cast<float>(j), 0.0f);
            b->getTransform().setScale(1.5f);
            a->attach(*b);
            for (int k = 0; k < 10; ++k) {
                auto* c = new ovra::Entity("c");
                c->getTransform().setPosition(0.0f, 1.0f, static_cast<float>(k));
                c->getTransform().rotateAroundLeft(0.05f * static_cast<float>(k));
                b->attach(*c);
            }
        }
    }
    return root;
}

void BM_SceneTreeUpdate1000Entities(benchmark::State& state) {
    ovra::Entity* root = buildTree();
    for (auto _ : state) {
        root->update();
        benchmark::DoNotOptimize(root->getTransform().getGlobal());
    }
    state.counters["ns_per_entity"] = benchmark::Counter(1000.0 * static_cast<double>(state.iterations()),
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                                                         benchmark::Counter::kIs1000);
    delete root;
}
BENCHMARK(BM_SceneTreeUpdate1000Entities)->Unit(benchmark::kMicrosecond);

}  // namespace
