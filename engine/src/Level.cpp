#include "Ovra3D/Level.hpp"

#include "Ovra3D/LevelManager.hpp"

namespace ovra {

Level::Level() : rootEntity_("RootEntity"), rootEntity2D_("RootEntity2D"), camera_(nullptr) {
    // Roots have no parent to mark them, and nothing below them counts as enabled otherwise.
    rootEntity_.isTreeEnabled_ = true;
    rootEntity2D_.isTreeEnabled_ = true;
}

Level::~Level() { LevelManager::forgetLevel(*this); }

void Level::update() {
    rootEntity_.update();
    rootEntity2D_.update();
}

}  // namespace ovra
