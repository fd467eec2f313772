#ifndef GAMESOUNDS_HPP
#define GAMESOUNDS_HPP

#include "model/Environment.hpp"

#include <memory>

namespace ovra {
class Audio;
class Sound;
}  // namespace ovra

// The game's sounds: a blow dealt, a zombie felled, the cat hurt, the game over and a new
// game, from the resources' "sounds/" folder. Without an audio device it stays silent.
class GameSounds {
public:
    // Opens the audio device and loads every sound; needs the resources path set.
    GameSounds();
    ~GameSounds();

    // The sounds of what happened in the world's last frame.
    void play(const Environment::Events& events);
    void playGameOver();
    void playNewGame();

    void setMuted(bool muted);
    bool isMuted() const;

private:
    static void play(ovra::Sound* sound);

    std::unique_ptr<ovra::Audio> audio_;
    ovra::Sound* blow_ = nullptr;
    ovra::Sound* felled_ = nullptr;
    ovra::Sound* hurt_ = nullptr;
    ovra::Sound* gameOver_ = nullptr;
    ovra::Sound* newGame_ = nullptr;
};

#endif
