/// \file
/// Keyboard and mouse, as the engine sees them.
#ifndef OVRA_INPUT_HPP
#define OVRA_INPUT_HPP

#include <cstdint>

namespace ovra {

/// Keyboard and mouse as a polled model: a state per key, the pointer position
/// in picture pixels and the pointer's movement during the last poll, and what happened
/// to the window (focus, size) during the last poll.
/// The platform layer implements it; the main loop calls handle() once per frame.
class Input {
public:
    /// What a key did as of the last poll.
    enum KEY_STATE : int32_t {
        IDLE = 0,  ///< Not pressed, and not released during the last poll.
        UP = 1,    ///< Released during the last poll.
        DOWN = 2   ///< Held down.
    };

    /// The keys the engine knows, by physical position (scancode), and the three main
    /// mouse buttons. KEY_UNKNOWN and KEY_COUNT name no key: queries answer false.
    enum KEY : int32_t {
        KEY_UNKNOWN = 0,
        k_A,
        k_B,
        k_C,
        k_D,
        k_E,
        k_F,
        k_G,
        k_H,
        k_I,
        k_J,
        k_K,
        k_L,
        k_M,
        k_N,
        k_O,
        k_P,
        k_Q,
        k_R,
        k_S,
        k_T,
        k_U,
        k_V,
        k_W,
        k_X,
        k_Y,
        k_Z,
        k_0,
        k_1,
        k_2,
        k_3,
        k_4,
        k_5,
        k_6,
        k_7,
        k_8,
        k_9,
        k_ESCAPE,
        k_TAB,
        k_CAPSLOCK,
        k_LEFT_SHIFT,
        k_RIGHT_SHIFT,
        k_LEFT_CONTROL,
        k_RIGHT_CONTROL,
        k_SPACE,
        k_UP_ARROW,
        k_DOWN_ARROW,
        k_LEFT_ARROW,
        k_RIGHT_ARROW,
        k_MOUSE_LEFT,
        k_MOUSE_RIGHT,
        k_MOUSE_MIDDLE,
        k_RETURN,
        k_KEYPAD_ENTER,
        k_F11,
        KEY_COUNT  ///< Number of slots in a state table, not a key.
    };

    virtual ~Input() = default;

    /// Polls the window system once: UP keys turn IDLE, then pending events apply.
    virtual void handle() = 0;
    /// True when `key` was released during the last poll; false for a value that names no key.
    virtual bool isKeyUp(KEY key) = 0;
    /// True while `key` is held; false for a value that names no key.
    virtual bool isKeyDown(KEY key) = 0;
    /// True when the pointer moved during the last poll.
    virtual bool isMouseMoving() = 0;
    /// Pointer x in picture pixels (see GLContainer), from the left.
    virtual int getMouseX() = 0;
    /// Pointer y in picture pixels, from the top.
    virtual int getMouseY() = 0;
    /// Pointer x movement of the last position update in the last poll.
    virtual int getMouseRelativeX() = 0;
    /// Pointer y movement of the last position update in the last poll.
    virtual int getMouseRelativeY() = 0;

    /// True while the window has the keyboard focus; true unless the platform says otherwise.
    virtual bool hasFocus() { return true; }
    /// True when the window lost the keyboard focus during the last poll.
    virtual bool isFocusLost() { return false; }
    /// True when the window gained the keyboard focus during the last poll.
    virtual bool isFocusGained() { return false; }
    /// True when the window's size changed during the last poll (resize, fullscreen).
    virtual bool isWindowResized() { return false; }
};

}  // namespace ovra

#endif
