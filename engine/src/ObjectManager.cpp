#include "Ovra3D/ObjectManager.hpp"

#include "Ovra3D/Visual.hpp"

namespace ovra {

std::map<long, Visual*> ObjectManager::visuals_;
std::map<long, Visual*> ObjectManager::visuals2D_;

namespace {

Visual* find(const std::map<long, Visual*>& table, long id) {
    auto it = table.find(id);
    return it != table.end() ? it->second : nullptr;
}

Visual* take(std::map<long, Visual*>& table, long id) {
    auto it = table.find(id);
    if (it == table.end()) {
        return nullptr;
    }
    Visual* visual = it->second;
    table.erase(it);
    return visual;
}

}  // namespace

void ObjectManager::addVisual(Visual* visual) { visuals_.emplace(visual->getID(), visual); }

void ObjectManager::addVisual2D(Visual* visual) { visuals2D_.emplace(visual->getID(), visual); }

Visual* ObjectManager::getVisual(long visualId) { return find(visuals_, visualId); }

Visual* ObjectManager::getVisual2D(long visualId) { return find(visuals2D_, visualId); }

Visual* ObjectManager::removeVisual(long visualId) { return take(visuals_, visualId); }

Visual* ObjectManager::removeVisual2D(long visualId) { return take(visuals2D_, visualId); }

const std::map<long, Visual*>& ObjectManager::getVisuals() { return visuals_; }

const std::map<long, Visual*>& ObjectManager::getVisuals2D() { return visuals2D_; }

}  // namespace ovra
