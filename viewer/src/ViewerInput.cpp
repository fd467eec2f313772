#include "ViewerInput.hpp"

ViewerInput::ViewerInput() { SDL_AddEventWatch(&ViewerInput::watch, this); }

ViewerInput::~ViewerInput() { SDL_DelEventWatch(&ViewerInput::watch, this); }

void ViewerInput::handle() {
    // The watch runs while the engine's input pumps the queue, so this frame's steps
    // are complete only afterwards.
    SDL2Input::handle();
    wheelSteps_ = pendingWheelSteps_;
    pendingWheelSteps_ = 0;
    drag_ = pendingDrag_;
    pendingDrag_ = glm::ivec2(0, 0);
}

int ViewerInput::watch(void* self, SDL_Event* event) {
    auto* input = static_cast<ViewerInput*>(self);
    switch (event->type) {
        case SDL_MOUSEWHEEL:
            input->pendingWheelSteps_ += event->wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event->wheel.y
                                                                                          : event->wheel.y;
            break;
        case SDL_MOUSEMOTION:
            if ((event->motion.state & SDL_BUTTON_LMASK) != 0) {
                input->pendingDrag_ += glm::ivec2(event->motion.xrel, event->motion.yrel);
            }
            break;
        case SDL_QUIT: input->quitRequested_ = true; break;
        case SDL_KEYDOWN:
            // Read from the event itself: a quick Ctrl+C goes down and up within one frame.
            if (event->key.keysym.scancode == SDL_SCANCODE_C && (event->key.keysym.mod & KMOD_CTRL) != 0) {
                input->quitRequested_ = true;
            }
            break;
        case SDL_WINDOWEVENT:
            if (event->window.event == SDL_WINDOWEVENT_CLOSE) {
                input->quitRequested_ = true;
            }
            break;
        default: break;
    }
    return 1;
}
