#include "Ovra3D/SDL2/SDL2Input.hpp"

#include "Ovra3D/SDL2/SDL2Container.hpp"

#include <algorithm>
#include <iterator>

namespace ovra {
namespace sdl2 {

namespace {

Input::KEY keyOfScancode(SDL_Scancode scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return static_cast<Input::KEY>(Input::k_A + (scancode - SDL_SCANCODE_A));
    }
    // SDL orders the digits 1..9 then 0; the key table puts 0 first.
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
        return static_cast<Input::KEY>(Input::k_1 + (scancode - SDL_SCANCODE_1));
    }
    switch (scancode) {
        case SDL_SCANCODE_0: return Input::k_0;
        case SDL_SCANCODE_ESCAPE: return Input::k_ESCAPE;
        case SDL_SCANCODE_TAB: return Input::k_TAB;
        case SDL_SCANCODE_CAPSLOCK: return Input::k_CAPSLOCK;
        case SDL_SCANCODE_LSHIFT: return Input::k_LEFT_SHIFT;
        case SDL_SCANCODE_RSHIFT: return Input::k_RIGHT_SHIFT;
        case SDL_SCANCODE_LCTRL: return Input::k_LEFT_CONTROL;
        case SDL_SCANCODE_RCTRL: return Input::k_RIGHT_CONTROL;
        case SDL_SCANCODE_SPACE: return Input::k_SPACE;
        case SDL_SCANCODE_UP: return Input::k_UP_ARROW;
        case SDL_SCANCODE_DOWN: return Input::k_DOWN_ARROW;
        case SDL_SCANCODE_LEFT: return Input::k_LEFT_ARROW;
        case SDL_SCANCODE_RIGHT: return Input::k_RIGHT_ARROW;
        case SDL_SCANCODE_RETURN: return Input::k_RETURN;
        case SDL_SCANCODE_KP_ENTER: return Input::k_KEYPAD_ENTER;
        case SDL_SCANCODE_F11: return Input::k_F11;
        default: return Input::KEY_UNKNOWN;
    }
}

Input::KEY keyOfMouseButton(int button) {
    switch (button) {
        case SDL_BUTTON_LEFT: return Input::k_MOUSE_LEFT;
        case SDL_BUTTON_RIGHT: return Input::k_MOUSE_RIGHT;
        case SDL_BUTTON_MIDDLE: return Input::k_MOUSE_MIDDLE;
        default: return Input::KEY_UNKNOWN;
    }
}

}  // namespace

SDL2Input::SDL2Input() : events_() { std::fill(std::begin(keysStates), std::end(keysStates), IDLE); }

void SDL2Input::handle() {
    reset();
    while (SDL_PollEvent(&events_) != 0) {
        switch (events_.type) {
            case SDL_KEYDOWN: setKeyState(events_.key.keysym.scancode, DOWN); break;
            case SDL_KEYUP: setKeyState(events_.key.keysym.scancode, UP); break;
            case SDL_MOUSEBUTTONUP: setMouseButtonState(events_.button.button, UP); break;
            case SDL_MOUSEBUTTONDOWN:
                setMouseButtonState(events_.button.button, DOWN);
                updateMousePosition(events_.button.windowID, events_.button.x, events_.button.y);
                break;
            case SDL_MOUSEMOTION:
                updateMousePosition(events_.motion.windowID, events_.motion.x, events_.motion.y);
                break;
            case SDL_WINDOWEVENT: handleWindowEvent(events_.window); break;
            default: break;  // the close request among others: ignored
        }
    }
}

void SDL2Input::reset() {
    relativeMousePosition_ = glm::ivec2(0, 0);
    focusLost_ = false;
    focusGained_ = false;
    windowResized_ = false;
    for (KEY_STATE& state : keysStates) {
        if (state == UP) {
            state = IDLE;
        }
    }
}

void SDL2Input::setKeyState(SDL_Scancode scancode, KEY_STATE state) {
    const KEY key = keyOfScancode(scancode);
    if (key != KEY_UNKNOWN) {
        keysStates[key] = state;
    }
}

void SDL2Input::setMouseButtonState(int button, KEY_STATE state) {
    const KEY key = keyOfMouseButton(button);
    if (key != KEY_UNKNOWN) {
        keysStates[key] = state;
    }
}

void SDL2Input::handleWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_FOCUS_LOST:
            hasFocus_ = false;
            focusLost_ = true;
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            hasFocus_ = true;
            focusGained_ = true;
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESIZED: {
            // The container learns its new size before any later pointer event is mapped.
            if (SDL2Container* container = SDL2Container::ofWindow(event.windowID)) {
                container->refreshSize();
            }
            windowResized_ = true;
            break;
        }
        default: break;  // the close request among others: ignored
    }
}

void SDL2Input::updateMousePosition(uint32_t windowId, int x, int y) {
    previousMousePosition_ = mousePosition_;
    const SDL2Container* container = SDL2Container::ofWindow(windowId);
    mousePosition_ = container != nullptr ? container->windowToPicture(x, y) : glm::ivec2(x, y);
    relativeMousePosition_ = mousePosition_ - previousMousePosition_;
}

bool SDL2Input::hasState(KEY key, KEY_STATE state) const {
    return key > KEY_UNKNOWN && key < KEY_COUNT && keysStates[key] == state;
}

bool SDL2Input::isKeyUp(KEY key) { return hasState(key, UP); }

bool SDL2Input::isKeyDown(KEY key) { return hasState(key, DOWN); }

bool SDL2Input::isMouseMoving() { return relativeMousePosition_ != glm::ivec2(0, 0); }

int SDL2Input::getMouseX() { return mousePosition_.x; }

int SDL2Input::getMouseY() { return mousePosition_.y; }

int SDL2Input::getMouseRelativeX() { return relativeMousePosition_.x; }

int SDL2Input::getMouseRelativeY() { return relativeMousePosition_.y; }

}  // namespace sdl2
}  // namespace ovra
