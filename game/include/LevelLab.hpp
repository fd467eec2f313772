#ifndef LEVELLAB_HPP
#define LEVELLAB_HPP

#include "Ovra3D/Level.hpp"

namespace ovra {
class Entity;
class Transform;
}  // namespace ovra

class Environment;
class Floor;
class AvatarIcon;
class LifeBar;
class GameOver;

// The game's one level: camera, world, floor and on-screen display; each frame it
// reflects the player's health on the display, writes the status line and quits on Escape.
class LevelLab : public ovra::Level {
public:
    LevelLab() = default;
    ~LevelLab() override = default;

    // Builds the scene. Stops before building anything when a shader is missing (see isReady()).
    void initialize() override;
    void update() override;

    // True once initialize() has built the scene; false when a shader it needs did not load.
    bool isReady() const { return ready_; }

    // Places a camera as the game's: twenty units above the arena's centre, looking
    // straight down on the whole floor.
    static void placeCamera(ovra::Transform& transform);

private:
    bool loadShaders();
    void createCamera();
    void createWorld();
    void createDisplay();
    void updateDisplay();
    void writeStatus() const;

    ovra::Entity* cameraEntity_ = nullptr;
    Environment* environment_ = nullptr;
    Floor* floor_ = nullptr;
    AvatarIcon* avatarIcon_ = nullptr;
    LifeBar* lifeBar_ = nullptr;
    GameOver* gameover_ = nullptr;
    bool ready_ = false;
};

#endif
