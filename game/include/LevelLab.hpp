#ifndef LEVELLAB_HPP
#define LEVELLAB_HPP

#include "Ovra3D/Level.hpp"
#include "model/Score.hpp"
#include "storage/SettingsFile.hpp"

#include <memory>

namespace ovra {
class Entity;
class Transform;
}  // namespace ovra

class Environment;
class Floor;
class AvatarIcon;
class LifeBar;
class GameOver;
class BestResultFile;
class GameSounds;
class ScoreBoard;

// The game's one level: camera, world, floor and on-screen display; each frame it
// reflects the player's health on the display, writes the status line and quits on Escape.
// After the game over, Return starts a new game in a fresh world; P pauses, and so does
// leaving the window; M mutes; F11 toggles fullscreen.
class LevelLab : public ovra::Level {
public:
    LevelLab();
    ~LevelLab() override;

    // Builds the scene. Stops before building anything when a shader is missing (see isReady()).
    void initialize() override;
    void update() override;

    // True once initialize() has built the scene; false when a shader it needs did not load.
    bool isReady() const { return ready_; }

    // A fresh world in place of the last one, the life bar full and the banner hidden.
    void newGame();
    // Pauses or resumes the world; a game that is over stays as it is.
    void setPaused(bool paused);
    bool isPaused() const;
    // The last finished game and the best so far (meaningful once a game is over).
    const Score& getLastResult() const { return lastResult_; }
    const Score& getBestResult() const;

    // Places a camera as the game's: twenty units above the arena's centre, looking
    // straight down on the whole floor.
    static void placeCamera(ovra::Transform& transform);

private:
    bool loadShaders();
    void createCamera();
    void createWorld();
    void createDisplay();
    void loadKeptFiles();
    void handleKeys();
    void toggleMute();
    void toggleFullscreen();
    void recordResult();
    void updateDisplay();
    void writeStatus() const;

    ovra::Entity* cameraEntity_ = nullptr;
    Environment* environment_ = nullptr;
    Floor* floor_ = nullptr;
    AvatarIcon* avatarIcon_ = nullptr;
    LifeBar* lifeBar_ = nullptr;
    GameOver* gameover_ = nullptr;
    bool ready_ = false;

    std::unique_ptr<BestResultFile> bestFile_;
    std::unique_ptr<SettingsFile> settingsFile_;
    SettingsFile::Settings settings_;
    Score lastResult_;
    bool resultRecorded_ = false;   // this world's result went to the best file
    bool settingsApplied_ = false;  // the window took the kept settings (needs the running container)
    std::unique_ptr<ScoreBoard> scoreBoard_;
    std::unique_ptr<GameSounds> sounds_;
};

#endif
