// Ten thousand sprites in one draw call: an instanced visual whose rows drift sideways,
// some tinted. Escape ends it. With --screenshot OUT.png the twentieth frame is saved.
#include "CrowdLevel.hpp"
#include "ExampleProgram.hpp"
#include "ScriptedInput.hpp"

int main(int argc, char** argv) {
    ExampleProgram program(argc, argv);
    if (!program.isUsable()) {
        return 2;
    }
    if (!program.open("Instanced sprites", 320, 240)) {
        return 1;
    }
    CrowdLevel level;
    level.initialize();
    if (!level.isReady()) {
        return 1;
    }
    ScriptedInput noKeys;
    program.setScreenshotFrame(20);
    return program.run(level, noKeys);
}
