/// \file
/// The SDL2 keyboard and mouse.
#ifndef OVRA_SDL2INPUT_HPP
#define OVRA_SDL2INPUT_HPP

#include "Ovra3D/Input.hpp"
#include "Ovra3D/common.hpp"

#include <SDL2/SDL.h>

namespace ovra {
namespace sdl2 {

/// Input fed by SDL's event queue; handle() drains the queue once per frame.
/// Scancodes and buttons outside the key table are ignored. Size changes of a window made
/// by SDL2Container are passed on to it, and the pointer over such a window is reported
/// in its picture pixels; over any other window, in window pixels.
class SDL2Input : public Input {
public:
    /// Every key IDLE, the pointer at (0, 0).
    SDL2Input();

    /// Drains SDL's event queue (SDL must have been started by the container).
    void handle() override;
    /// True when `key` was released during the last poll; false for a value that names no key.
    bool isKeyUp(KEY key) override;
    /// True while `key` is held; false for a value that names no key.
    bool isKeyDown(KEY key) override;
    /// True when the pointer moved during the last poll.
    bool isMouseMoving() override;
    /// Pointer x in picture pixels.
    int getMouseX() override;
    /// Pointer y in window pixels, from the top.
    int getMouseY() override;
    /// Pointer x movement of the last position update in the last poll.
    int getMouseRelativeX() override;
    /// Pointer y movement of the last position update in the last poll.
    int getMouseRelativeY() override;
    /// False from a focus loss until the focus comes back.
    bool hasFocus() override { return hasFocus_; }
    /// True when the focus was lost during the last poll.
    bool isFocusLost() override { return focusLost_; }
    /// True when the focus was gained during the last poll.
    bool isFocusGained() override { return focusGained_; }
    /// True when a window's size changed during the last poll.
    bool isWindowResized() override { return windowResized_; }

private:
    void handleWindowEvent(const SDL_WindowEvent& event);
    void updateMousePosition(uint32_t windowId, int x, int y);
    void reset();
    void setKeyState(SDL_Scancode scancode, KEY_STATE state);
    void setMouseButtonState(int button, KEY_STATE state);
    bool hasState(KEY key, KEY_STATE state) const;

    SDL_Event events_;
    KEY_STATE keysStates[KEY_COUNT];
    glm::ivec2 mousePosition_{0, 0};
    glm::ivec2 previousMousePosition_{0, 0};
    glm::ivec2 relativeMousePosition_{0, 0};
    bool hasFocus_ = true;
    bool focusLost_ = false;
    bool focusGained_ = false;
    bool windowResized_ = false;
};

}  // namespace sdl2
}  // namespace ovra

#endif
