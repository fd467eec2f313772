// A model lit by the engine's own lit shader, with a camera that circles it: the arrow keys
// or a drag with the left mouse button turn it further. Escape ends it. With
// --screenshot OUT.png the camera circles by itself alone and the thirtieth frame is saved.
#include "ExampleProgram.hpp"
#include "OrbitLevel.hpp"
#include "ScriptedInput.hpp"

int main(int argc, char** argv) {
    ExampleProgram program(argc, argv);
    if (!program.isUsable()) {
        return 2;
    }
    if (!program.open("Lit model", 320, 240)) {
        return 1;
    }
    OrbitLevel level(program.getDataFolder());
    level.initialize();
    if (!level.isReady()) {
        return 1;
    }
    ScriptedInput noKeys;
    program.setScreenshotFrame(30);
    return program.run(level, noKeys);
}
