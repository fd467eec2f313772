#include "LevelLab.hpp"

#include "GameSounds.hpp"
#include "entities/Floor.hpp"
#include "gui/AvatarIcon.hpp"
#include "gui/GameOver.hpp"
#include "gui/LifeBar.hpp"
#include "gui/ScoreBoard.hpp"
#include "model/Environment.hpp"
#include "storage/BestResultFile.hpp"
#include "storage/UserFolders.hpp"

#include "ShaderPair.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/GLContainer.hpp"
#include "Ovra3D/Input.hpp"
#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Shader.hpp"

#include <iostream>
#include <string>

namespace {

const char* const kRessourcesPath = "../Ressources/";
const char* const kSceneShader = "simple_shader";
const char* const kOverlayShader = "simple_2D_shader";

// Loads a shader pair and answers whether it is registered.
bool loadShader(const std::string& name) {
    if (workshop::loadRegisteredShader(name) != nullptr) {
        return true;
    }
    std::cerr << "Brimwold: shader \"" << name << "\" is not available from "
              << ovra::ObjectManager::getRessourcesPath() << " (" << name << ".vert / .frag)" << std::endl;
    return false;
}

}  // namespace

LevelLab::LevelLab() = default;

LevelLab::~LevelLab() = default;

void LevelLab::initialize() {
    ovra::ObjectManager::setRessourcesPath(kRessourcesPath);
    if (!loadShaders()) {
        return;
    }
    createCamera();
    createWorld();
    createDisplay();
    loadKeptFiles();
    ready_ = true;
}

void LevelLab::loadKeptFiles() {
    bestFile_ = std::make_unique<BestResultFile>(UserFolders::data(), std::cerr);
    bestFile_->load();
    settingsFile_ = std::make_unique<SettingsFile>(UserFolders::config(), std::cerr);
    settings_ = settingsFile_->load();
    sounds_ = std::make_unique<GameSounds>();
    sounds_->setMuted(settings_.muted);
}

bool LevelLab::loadShaders() {
    // Both are attempted so every missing pair is reported, not just the first.
    const bool scene = loadShader(kSceneShader);
    const bool overlay = loadShader(kOverlayShader);
    return scene && overlay;
}

void LevelLab::createCamera() {
    cameraEntity_ = new ovra::Entity("Camera");
    camera_ = static_cast<ovra::Camera*>(cameraEntity_->newComponent(ovra::Component::CAMERA));
    camera_->setFieldsOfView(90.0f, 60.0f);  // the picture drawn at 1280 x 720
    placeCamera(cameraEntity_->getTransform());
    rootEntity_.attach(*cameraEntity_);
}

void LevelLab::placeCamera(ovra::Transform& transform) {
    transform.setPosition(0.0f, 20.0f, 0.0f);
    // A quarter turn about its left axis turns its forward axis down onto the floor.
    transform.rotateAroundLeft(1.5707964f);
}

void LevelLab::createWorld() {
    environment_ = new Environment();
    rootEntity_.attach(*environment_);
    floor_ = new Floor("Floor", *ovra::ObjectManager::getShader(kSceneShader));
    rootEntity_.attach(*floor_);
}

void LevelLab::createDisplay() {
    avatarIcon_ = new AvatarIcon("Avatar");
    avatarIcon_->setPosition(100, 100);
    rootEntity2D_.attach(*avatarIcon_);

    lifeBar_ = new LifeBar("Avatar_lifebar");
    const glm::ivec2& avatar = avatarIcon_->getPosition();
    lifeBar_->setPosition(avatar.x, avatar.y + avatarIcon_->getSize().y / 2 + 40);
    lifeBar_->updateData();
    rootEntity2D_.attach(*lifeBar_);

    gameover_ = new GameOver("GameOver");
    gameover_->setPosition(640, 360);  // the centre of the 1280 x 720 window
    gameover_->enable(false);
    rootEntity2D_.attach(*gameover_);

    scoreBoard_ = std::make_unique<ScoreBoard>(rootEntity2D_, ovra::ObjectManager::getShader(kOverlayShader));
}

void LevelLab::update() {
    ovra::Level::update();
    if (GETINPUT().isKeyUp(ovra::Input::k_ESCAPE)) {
        GETAPP().exit();
    }
    if (!ready_) {
        return;
    }
    handleKeys();
    sounds_->play(environment_->getLastEvents());
    recordResult();
    updateDisplay();
    writeStatus();
}

void LevelLab::handleKeys() {
    ovra::Input& input = GETINPUT();
    if (!settingsApplied_) {
        settingsApplied_ = true;
        if (settings_.fullscreen) {
            GETCONTAINER().setFullscreen(true);
        }
    }
    if (input.isKeyUp(ovra::Input::k_P)) {
        setPaused(!isPaused());
    }
    // Nobody plays a game they cannot see: leaving the window pauses, coming back does not resume.
    if (input.isFocusLost()) {
        setPaused(true);
    }
    if (input.isKeyUp(ovra::Input::k_M)) {
        toggleMute();
    }
    if (input.isKeyUp(ovra::Input::k_F11)) {
        toggleFullscreen();
    }
    // Before the game over Return does nothing: a world is played to its end.
    if (environment_->isGameOver() &&
        (input.isKeyUp(ovra::Input::k_RETURN) || input.isKeyUp(ovra::Input::k_KEYPAD_ENTER))) {
        newGame();
    }
}

void LevelLab::toggleMute() {
    settings_.muted = !settings_.muted;
    sounds_->setMuted(settings_.muted);
    settingsFile_->save(settings_);
}

void LevelLab::toggleFullscreen() {
    ovra::GLContainer& container = GETCONTAINER();
    if (!container.setFullscreen(!container.isFullscreen())) {
        return;
    }
    settings_.fullscreen = container.isFullscreen();
    settingsFile_->save(settings_);
}

void LevelLab::newGame() {
    rootEntity_.detach(*environment_);
    delete environment_;
    environment_ = new Environment();
    rootEntity_.attach(*environment_);
    // The floor goes back behind the world, where the level first put it.
    rootEntity_.detach(*floor_);
    rootEntity_.attach(*floor_);
    lifeBar_->setLifePercent(1.0f);
    gameover_->enable(false);
    resultRecorded_ = false;
    sounds_->playNewGame();
}

void LevelLab::setPaused(bool paused) {
    if (!environment_->isGameOver()) {
        environment_->setPaused(paused);
    }
}

bool LevelLab::isPaused() const { return environment_ != nullptr && environment_->isPaused(); }

const Score& LevelLab::getBestResult() const { return bestFile_->best(); }

void LevelLab::recordResult() {
    if (resultRecorded_ || !environment_->isGameOver()) {
        return;
    }
    lastResult_ = environment_->getResult();
    const bool newBest = bestFile_->offer(lastResult_);
    resultRecorded_ = true;
    // Set once: nothing on the game-over screen changes until the next game.
    scoreBoard_->showGameOver(lastResult_, bestFile_->best(), newBest);
    sounds_->playGameOver();
}

void LevelLab::updateDisplay() {
    // Once over, the bar is left as the last frame before the fatal blow showed it.
    if (environment_->isGameOver()) {
        gameover_->enable(true);
    } else {
        lifeBar_->setLifePercent(static_cast<float>(environment_->getPlayerHealth()) * 0.01f);
        scoreBoard_->showPlaying(environment_->getResult(), isPaused());
    }
}

void LevelLab::writeStatus() const {
    std::cout << "Player life:" << environment_->getPlayerHealth()
              << "  Is gameover: " << (environment_->isGameOver() ? "yes" : "false") << std::endl;
}
