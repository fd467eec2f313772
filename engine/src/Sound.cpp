#include "Ovra3D/Sound.hpp"

#include "Ovra3D/Audio.hpp"

#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <cmath>

namespace ovra {

Sound::Sound(const Audio& audio, Mix_Chunk* chunk, const std::string& file)
    : audio_(audio), chunk_(chunk), file_(file) {}

Sound::~Sound() { Mix_FreeChunk(chunk_); }

bool Sound::play() {
    if (audio_.isMuted()) {
        return false;
    }
    return Mix_PlayChannel(-1, chunk_, 0) >= 0;
}

void Sound::setVolume(float volume) {
    volume_ = std::isnan(volume) ? 0.0f : std::clamp(volume, 0.0f, 1.0f);
    Mix_VolumeChunk(chunk_, static_cast<int>(std::lround(volume_ * MIX_MAX_VOLUME)));
}

}  // namespace ovra
