#include "ScriptedInput.hpp"

#include <utility>

ScriptedInput::ScriptedInput(std::vector<Press> script) : script_(std::move(script)) {}

void ScriptedInput::handle() { ++frame_; }

bool ScriptedInput::isKeyUp(KEY key) {
    for (const Press& press : script_) {
        if (press.key == key && frame_ == press.last + 1) {
            return true;
        }
    }
    return false;
}

bool ScriptedInput::isKeyDown(KEY key) {
    for (const Press& press : script_) {
        if (press.key == key && frame_ >= press.first && frame_ <= press.last) {
            return true;
        }
    }
    return false;
}
