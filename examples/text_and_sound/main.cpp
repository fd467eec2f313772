// Text and sound: three lines drawn with a font found through fontconfig, and a chime that
// Space plays and M mutes, counted on the last line. Escape ends it. Without a sound device
// the engine warns once and the program runs silently. With --screenshot OUT.png a script
// plays twice, mutes, tries once more, and the thirtieth frame is saved.
#include "ExampleProgram.hpp"
#include "ScriptedInput.hpp"
#include "SoundBoardLevel.hpp"

#include <Ovra3D/Audio.hpp>

int main(int argc, char** argv) {
    ExampleProgram program(argc, argv);
    if (!program.isUsable()) {
        return 2;
    }
    if (!program.open("Text and sound", 320, 240)) {
        return 1;
    }
    // After the window and before the level, so that it goes after the level and before the window.
    ovra::Audio audio;
    SoundBoardLevel level(program.getDataFolder(), audio);
    level.initialize();
    if (!level.isReady()) {
        return 1;
    }
    ScriptedInput script({{ovra::Input::k_SPACE, 3, 3},
                          {ovra::Input::k_SPACE, 8, 8},
                          {ovra::Input::k_M, 14, 14},
                          {ovra::Input::k_SPACE, 20, 20}});
    program.setScreenshotFrame(30);
    return program.run(level, script);
}
