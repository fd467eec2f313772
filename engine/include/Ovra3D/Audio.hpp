/// \file
/// The sound output and the sounds it has loaded.
#ifndef OVRA_AUDIO_HPP
#define OVRA_AUDIO_HPP

#include <map>
#include <memory>
#include <string>

namespace ovra {

class Sound;

/// The sound output, on SDL2_mixer: opens the audio device when made, loads each sound once
/// and keeps it, sets the volume and mutes. When no device works (none present, or
/// SDL_AUDIODRIVER naming one that fails) it writes one warning line on the standard error
/// stream and every call stays harmless and silent. Make one, after the window container
/// if there is one, and destroy it first.
class Audio {
public:
    /// Opens the default device: 44.1 kHz, 16-bit stereo, 16 channels.
    Audio();
    /// Frees every sound it loaded and closes the device.
    ~Audio();
    Audio(const Audio&) = delete;
    Audio& operator=(const Audio&) = delete;

    /// True when a device is open and sounds can be heard.
    bool isAvailable() const { return available_; }

    /// The sound of the WAV file at the resources path + `file`, loaded on the first call and
    /// the same object afterwards; it lives as long as this Audio. Null without a device
    /// (silently) or when the file cannot be read (an error line on the standard output).
    Sound* loadSound(const std::string& file);

    /// The volume of everything, from 0 to 1 (values outside are clamped); 1 at first.
    void setVolume(float volume);
    /// The volume as set.
    float getVolume() const { return volume_; }
    /// Mutes or unmutes everything; sounds already playing go silent at once, and no sound
    /// starts while muted. The volume is kept.
    void setMuted(bool muted);
    /// True while muted.
    bool isMuted() const { return muted_; }

private:
    void applyVolume() const;

    bool available_ = false;
    bool muted_ = false;
    float volume_ = 1.0f;
    std::map<std::string, std::unique_ptr<Sound>> sounds_;
};

}  // namespace ovra

#endif
