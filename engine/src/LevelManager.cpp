#include "Ovra3D/LevelManager.hpp"

#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Level.hpp"

namespace ovra {

Level* LevelManager::currentLevel_ = nullptr;

void LevelManager::addLevel(Level& level, bool first) {
    levels_.push_back(&level);
    if (first) {
        currentLevel_ = &level;
    }
}

void LevelManager::update() {
    if (currentLevel_ == nullptr) {
        return;
    }
    currentLevel_->update();
    // The update may have switched levels: refresh the camera of the level now current.
    if (currentLevel_ != nullptr && currentLevel_->getCamera() != nullptr) {
        currentLevel_->getCamera()->updateView();
    }
}

void LevelManager::forgetLevel(const Level& level) {
    if (currentLevel_ == &level) {
        currentLevel_ = nullptr;
    }
}

const Camera* LevelManager::camera() { return currentLevel_ != nullptr ? currentLevel_->getCamera() : nullptr; }

}  // namespace ovra
