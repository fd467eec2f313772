#ifndef EXAMPLES_SCRIPTEDINPUT_HPP
#define EXAMPLES_SCRIPTEDINPUT_HPP

#include <Ovra3D/Input.hpp>

#include <vector>

// Keys pressed by a fixed script instead of a person, counted in frames: the same
// play every run, so that an example's screenshot can be checked pixel by pixel.
class ScriptedInput : public ovra::Input {
public:
    // `key` is held from frame `first` to frame `last` (both counted from 1) and
    // released in the frame after.
    struct Press {
        KEY key;
        int first;
        int last;
    };

    explicit ScriptedInput(std::vector<Press> script = {});

    // Moves on to the next frame of the script.
    void handle() override;
    bool isKeyUp(KEY key) override;
    bool isKeyDown(KEY key) override;
    // The pointer stays at (0, 0) and never moves.
    bool isMouseMoving() override { return false; }
    int getMouseX() override { return 0; }
    int getMouseY() override { return 0; }
    int getMouseRelativeX() override { return 0; }
    int getMouseRelativeY() override { return 0; }

private:
    std::vector<Press> script_;
    int frame_ = 0;
};

#endif
