// The smallest Ovra program: a window, a level with a camera and one textured quad.
// Escape ends it; with --screenshot OUT.png it saves its third frame and ends.
#include "ExampleProgram.hpp"
#include "QuadLevel.hpp"
#include "ScriptedInput.hpp"

int main(int argc, char** argv) {
    ExampleProgram program(argc, argv);
    if (!program.isUsable()) {
        return 2;
    }
    if (!program.open("Textured quad", 320, 240)) {
        return 1;
    }
    QuadLevel level(program.getDataFolder());
    level.initialize();
    if (!level.isReady()) {
        return 1;
    }
    ScriptedInput noKeys;
    return program.run(level, noKeys);
}
