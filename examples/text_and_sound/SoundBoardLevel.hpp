#ifndef EXAMPLES_SOUNDBOARDLEVEL_HPP
#define EXAMPLES_SOUNDBOARDLEVEL_HPP

#include <Ovra3D/2D/Text2D.hpp>
#include <Ovra3D/Audio.hpp>
#include <Ovra3D/Level.hpp>
#include <Ovra3D/Sound.hpp>

#include <string>

// Lines of text on the overlay and a sound: Space plays the chime, M mutes and unmutes, and a
// line counts the plays. Without a sound device the Audio has said so once and all is
// silent; the count goes on, so the picture is the same either way.
class SoundBoardLevel : public ovra::Level {
public:
    // `audio` is made after the window and outlives the level.
    SoundBoardLevel(const std::string& dataFolder, ovra::Audio& audio);

    void initialize() override;
    // Plays, mutes, updates the text, then the scene.
    void update() override;

    // True when the overlay shader linked and the font was found.
    bool isReady() const { return ready_; }

private:
    ovra::Text2D* addText(const std::string& text, const ovra::Color& color, int y);
    void showState();

    std::string dataFolder_;
    ovra::Audio& audio_;
    bool ready_ = false;
    ovra::Sound* chime_ = nullptr;
    ovra::Text2D* state_ = nullptr;
    int plays_ = 0;
};

#endif
