#include "Ovra3D/Audio.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Sound.hpp"
#include "Ovra3D/utils.hpp"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace ovra {

namespace {

constexpr int kFrequency = 44100;
constexpr int kChannels = 16;
constexpr int kChunkFrames = 1024;

}  // namespace

Audio::Audio() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::cerr << "WARNING: Ovra: Audio: no sound: " << SDL_GetError() << std::endl;
        return;
    }
    if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, 2, kChunkFrames) != 0) {
        std::cerr << "WARNING: Ovra: Audio: no sound: " << Mix_GetError() << std::endl;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    Mix_AllocateChannels(kChannels);
    available_ = true;
    applyVolume();
}

Audio::~Audio() {
    if (!available_) {
        return;
    }
    Mix_HaltChannel(-1);
    sounds_.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

Sound* Audio::loadSound(const std::string& file) {
    if (!available_) {
        return nullptr;
    }
    const auto known = sounds_.find(file);
    if (known != sounds_.end()) {
        return known->second.get();
    }
    const std::string path = ObjectManager::getRessourcesPath() + file;
    // Only a readable regular file goes to the decoder: a pipe would block it.
    Mix_Chunk* chunk = nullptr;
    if (is_readable_file(path.c_str())) {
        chunk = Mix_LoadWAV(path.c_str());
    } else {
        Mix_SetError("Couldn't open %s", path.c_str());
    }
    if (chunk == nullptr) {
        std::cout << "ERROR: Ovra: Sound: " << Mix_GetError() << std::endl;
        return nullptr;
    }
    Sound* sound = new Sound(*this, chunk, file);
    sounds_[file].reset(sound);
    return sound;
}

void Audio::setVolume(float volume) {
    volume_ = std::isnan(volume) ? 0.0f : std::clamp(volume, 0.0f, 1.0f);
    applyVolume();
}

void Audio::setMuted(bool muted) {
    muted_ = muted;
    applyVolume();
}

void Audio::applyVolume() const {
    if (available_) {
        Mix_MasterVolume(muted_ ? 0 : static_cast<int>(std::lround(volume_ * MIX_MAX_VOLUME)));
    }
}

}  // namespace ovra
