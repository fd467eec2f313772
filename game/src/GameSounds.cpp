#include "GameSounds.hpp"

#include "Ovra3D/Audio.hpp"
#include "Ovra3D/Sound.hpp"

GameSounds::GameSounds() : audio_(std::make_unique<ovra::Audio>()) {
    blow_ = audio_->loadSound("sounds/blow.wav");
    felled_ = audio_->loadSound("sounds/felled.wav");
    hurt_ = audio_->loadSound("sounds/hurt.wav");
    gameOver_ = audio_->loadSound("sounds/gameover.wav");
    newGame_ = audio_->loadSound("sounds/newgame.wav");
}

GameSounds::~GameSounds() = default;

void GameSounds::play(const Environment::Events& events) {
    if (events.blowsDealt > 0) {
        play(blow_);
    }
    if (events.zombiesFelled > 0) {
        play(felled_);
    }
    if (events.catHurt > 0) {
        play(hurt_);
    }
}

void GameSounds::playGameOver() { play(gameOver_); }

void GameSounds::playNewGame() { play(newGame_); }

void GameSounds::setMuted(bool muted) { audio_->setMuted(muted); }

bool GameSounds::isMuted() const { return audio_->isMuted(); }

void GameSounds::play(ovra::Sound* sound) {
    if (sound != nullptr) {
        sound->play();
    }
}
