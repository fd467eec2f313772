#include "Ovra3D/Audio.hpp"

#include "CapturedStdout.hpp"
#include "ScopedRessourcesPath.hpp"
#include "TempFolder.hpp"

#include "Ovra3D/Sound.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

// A mono 16-bit WAV file of `seconds` of a 440 Hz tone at `amplitude`.
std::string toneWav(float seconds, int amplitude) {
    const int rate = 44100;
    const auto frames = static_cast<uint32_t>(seconds * rate);
    std::string bytes;
    auto put = [&bytes](uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    bytes += "RIFF";
    put(36 + frames * 2, 4);
    bytes += "WAVEfmt ";
    put(16, 4);
    put(1, 2);  // PCM
    put(1, 2);  // mono
    put(rate, 4);
    put(rate * 2, 4);
    put(2, 2);
    put(16, 2);
    bytes += "data";
    put(frames * 2, 4);
    for (uint32_t i = 0; i < frames; ++i) {
        const double phase = 2.0 * 3.141592653589793 * 440.0 * i / rate;
        put(static_cast<uint16_t>(static_cast<int16_t>(std::lround(amplitude * std::sin(phase)))), 2);
    }
    return bytes;
}

// The 16-bit samples SDL's disk driver wrote.
std::vector<int16_t> samples(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> result(bytes.size() / 2);
    for (size_t i = 0; i < result.size(); ++i) {
        result[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                         (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
    }
    return result;
}

int peak(const std::vector<int16_t>& values) {
    int result = 0;
    for (int16_t v : values) {
        result = std::max(result, std::abs(static_cast<int>(v)));
    }
    return result;
}

// The device is SDL's disk driver writing into a file of the test's own folder, with the
// test's tone beside it.
class AudioOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", folder_.file("out.raw").c_str(), 1);
        folder_.write("tone.wav", toneWav(0.2f, 12000));
    }
    void TearDown() override {
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
    }

    // Lets the device write for a while, then closes it so the file is complete.
    std::vector<int16_t> written(std::unique_ptr<ovra::Audio>& audio) {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        audio.reset();
        return samples(folder_.file("out.raw"));
    }

    TempFolder folder_;
    ScopedRessourcesPath path_{folder_.path()};
};

TEST_F(AudioOnDisk, PlayedSoundReachesTheDevice) {
    auto audio = std::make_unique<ovra::Audio>();
    ASSERT_TRUE(audio->isAvailable());
    ovra::Sound* sound = audio->loadSound("tone.wav");
    ASSERT_NE(sound, nullptr);
    EXPECT_TRUE(sound->play());
    const std::vector<int16_t> out = written(audio);
    ASSERT_FALSE(out.empty());
    // The tone at full volume, give or take the resampling.
    EXPECT_NEAR(peak(out), 12000, 600);
}

TEST_F(AudioOnDisk, VolumeScalesWhatIsHeard) {
    auto audio = std::make_unique<ovra::Audio>();
    audio->setVolume(0.5f);
    EXPECT_FLOAT_EQ(audio->getVolume(), 0.5f);
    ASSERT_NE(audio->loadSound("tone.wav"), nullptr);
    audio->loadSound("tone.wav")->play();
    EXPECT_NEAR(peak(written(audio)), 6000, 400);
}

TEST_F(AudioOnDisk, MutedDeviceWritesSilenceAndUnmutingKeepsTheVolume) {
    auto audio = std::make_unique<ovra::Audio>();
    audio->setVolume(0.25f);
    audio->setMuted(true);
    ovra::Sound* sound = audio->loadSound("tone.wav");
    ASSERT_NE(sound, nullptr);
    EXPECT_FALSE(sound->play());
    EXPECT_TRUE(audio->isMuted());
    audio->setMuted(false);
    EXPECT_FLOAT_EQ(audio->getVolume(), 0.25f);
    const std::vector<int16_t> out = written(audio);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(peak(out), 0);
}

TEST_F(AudioOnDisk, MutingSilencesASoundAlreadyPlaying) {
    folder_.write("long.wav", toneWav(2.0f, 12000));
    auto audio = std::make_unique<ovra::Audio>();
    ASSERT_TRUE(audio->loadSound("long.wav")->play());
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    audio->setMuted(true);
    // What the device wrote from now on: the file grows while the sound would still play.
    const size_t before = samples(folder_.file("out.raw")).size();
    const std::vector<int16_t> out = written(audio);
    ASSERT_GT(out.size(), before + 4096);
    // A buffer mixed before the mute may still be on its way.
    EXPECT_EQ(peak(std::vector<int16_t>(out.begin() + static_cast<long>(before) + 4096, out.end())), 0);
}

TEST_F(AudioOnDisk, EachFileIsLoadedOnceAndBadFilesAreRefusedWithALine) {
    folder_.write("broken.wav", "RIFF and nothing else");
    ovra::Audio audio;
    ovra::Sound* first = audio.loadSound("tone.wav");
    EXPECT_EQ(audio.loadSound("tone.wav"), first);
    EXPECT_EQ(first->getFile(), "tone.wav");

    for (const char* file : {"missing.wav", "broken.wav", ""}) {
        CapturedStdout out;
        EXPECT_EQ(audio.loadSound(file), nullptr) << file;
        const std::vector<std::string> lines = out.lines();
        ASSERT_EQ(lines.size(), 1u) << file;
        EXPECT_EQ(lines[0].rfind("ERROR: Ovra: Sound: ", 0), 0u) << lines[0];
    }
}

TEST(AudioWithoutDevice, OneWarningLineThenEverythingIsSilentAndHarmless) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    CapturedStdout err(std::cerr);
    CapturedStdout out;
    {
        ovra::Audio audio;
        EXPECT_FALSE(audio.isAvailable());
        EXPECT_EQ(audio.loadSound("tone.wav"), nullptr);
        audio.setVolume(0.3f);
        audio.setMuted(true);
        audio.setMuted(false);
        EXPECT_FLOAT_EQ(audio.getVolume(), 0.3f);
    }
    unsetenv("SDL_AUDIODRIVER");
    const std::vector<std::string> lines = err.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("WARNING: Ovra: Audio: no sound: ", 0), 0u) << lines[0];
    EXPECT_EQ(out.text(), "");
}

}  // namespace
