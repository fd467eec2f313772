// Sprites made and removed during play: the arrow keys move a square, Space drops a spark
// that rises and disappears after half a second. Escape ends it. With --screenshot OUT.png
// a fixed script plays the keys and the fiftieth frame is saved.
#include "ExampleProgram.hpp"
#include "ScriptedInput.hpp"
#include "SpriteLevel.hpp"

int main(int argc, char** argv) {
    ExampleProgram program(argc, argv);
    if (!program.isUsable()) {
        return 2;
    }
    if (!program.open("Sprites", 320, 240)) {
        return 1;
    }
    SpriteLevel level(program.getDataFolder());
    level.initialize();
    if (!level.isReady()) {
        return 1;
    }
    // Right, a spark, left past it, another spark, then down: by frame 50 the first spark
    // is gone and the second still rises.
    ScriptedInput script({{ovra::Input::k_RIGHT_ARROW, 1, 10},
                          {ovra::Input::k_SPACE, 11, 11},
                          {ovra::Input::k_LEFT_ARROW, 13, 32},
                          {ovra::Input::k_SPACE, 33, 33},
                          {ovra::Input::k_DOWN_ARROW, 35, 44}});
    program.setScreenshotFrame(50);
    return program.run(level, script);
}
