#ifndef BRIMWOLD_WORKSHOP_GAMECAMERA_HPP
#define BRIMWOLD_WORKSHOP_GAMECAMERA_HPP

namespace ovra {
class Camera;
class Entity;
}  // namespace ovra

class FakeLevel;

// A camera entity named "Camera" under `root`, placed as the game places its own (see
// LevelLab::placeCamera). Its view is not computed until the loop refreshes it.
ovra::Camera& addGameCamera(ovra::Entity& root);

// The same camera made `level`'s, with its view computed at once, so that picks in a
// run's first frame already see it.
ovra::Camera& useGameCamera(FakeLevel& level);

#endif
