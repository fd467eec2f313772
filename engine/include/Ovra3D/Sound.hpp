/// \file
/// A sound loaded by the Audio.
#ifndef OVRA_SOUND_HPP
#define OVRA_SOUND_HPP

#include <string>

struct Mix_Chunk;

namespace ovra {

class Audio;

/// One sound held in memory, made and owned by an Audio (Audio::loadSound), played on a
/// free channel as often as wanted.
class Sound {
public:
    /// Frees the samples.
    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    /// Starts the sound on a free channel. \return false when muted or when every channel is busy.
    bool play();
    /// This sound's own volume, from 0 to 1 (clamped), on top of the Audio's; 1 at first.
    void setVolume(float volume);
    /// The volume as set.
    float getVolume() const { return volume_; }
    /// The file it was loaded from, as given to loadSound.
    const std::string& getFile() const { return file_; }

private:
    friend class Audio;
    Sound(const Audio& audio, Mix_Chunk* chunk, const std::string& file);

    const Audio& audio_;
    Mix_Chunk* chunk_;
    std::string file_;
    float volume_ = 1.0f;
};

}  // namespace ovra

#endif
