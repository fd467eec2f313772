#ifndef OVRA_SDL2INPUT_HPP
#define OVRA_SDL2INPUT_HPP

#include "Ovra3D/Input.hpp"
#include "Ovra3D/common.hpp"

#include <SDL2/SDL.h>

namespace ovra {
namespace sdl2 {

// Input fed by SDL's event queue; handle() drains the queue once per frame.
class SDL2Input : public Input {
public:
    SDL2Input();

    void handle() override;
    bool isKeyUp(KEY key) override;
    bool isKeyDown(KEY key) override;
    bool isMouseMoving() override;
    int getMouseX() override;
    int getMouseY() override;
    int getMouseRelativeX() override;
    int getMouseRelativeY() override;

private:
    void reset();
    void setKeyState(SDL_Scancode scancode, KEY_STATE state);
    void setMouseButtonState(int button, KEY_STATE state);
    void updateMousePosition(int x, int y);
    bool hasState(KEY key, KEY_STATE state) const;

    SDL_Event events_;
    KEY_STATE keysStates[KEY_COUNT];
    glm::ivec2 mousePosition_{0, 0};
    glm::ivec2 previousMousePosition_{0, 0};
    glm::ivec2 relativeMousePosition_{0, 0};
};

}  // namespace sdl2
}  // namespace ovra

#endif
