/// \file
/// The keeper of the current level.
#ifndef OVRA_LEVELMANAGER_HPP
#define OVRA_LEVELMANAGER_HPP

#include <vector>

namespace ovra {

class Level;
class Camera;

/// Keeps the levels that were added and updates the current one once per frame,
/// then refreshes that level's camera view. Levels are not owned.
class LevelManager {
public:
    LevelManager() = default;
    virtual ~LevelManager() = default;

    /// Appends `level` (duplicates allowed); with `first` it becomes the current level.
    void addLevel(Level& level, bool first);
    /// Updates the current level, then its camera's view; nothing without a current level.
    void update();

    /// The current level's camera, or null when there is no current level or it has none.
    const Camera* camera();

    /// Called by a level as it is destroyed, so the current level never dangles.
    static void forgetLevel(const Level& level);

private:
    std::vector<Level*> levels_;
    static Level* currentLevel_;
};

}  // namespace ovra

#endif
