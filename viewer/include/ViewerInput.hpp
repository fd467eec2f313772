#ifndef OVRA_VIEWER_VIEWERINPUT_HPP
#define OVRA_VIEWER_VIEWERINPUT_HPP

#include "Ovra3D/SDL2/SDL2Input.hpp"

#include <glm/glm.hpp>

// The engine's SDL2 input plus what it leaves out and the viewer needs: the mouse wheel,
// the whole way the mouse moved with the left button held, and a request to quit: the window's close button, Ctrl+C, or
// an interrupt (which SDL turns into a quit event). Both are caught as SDL queues them, before the engine's input
// drains the queue.
class ViewerInput : public ovra::sdl2::SDL2Input {
public:
    ViewerInput();
    ~ViewerInput() override;
    ViewerInput(const ViewerInput&) = delete;
    ViewerInput& operator=(const ViewerInput&) = delete;

    void handle() override;

    // Wheel steps of the last handle(); positive away from the user.
    int getWheelSteps() const { return wheelSteps_; }
    // Pixels the mouse moved with the left button held, over every event of the last
    // handle(): a drag that begins and ends between two frames still counts in full.
    glm::ivec2 getDrag() const { return drag_; }
    // True once the window was asked to close, Ctrl+C was pressed in it or the process was interrupted.
    bool isQuitRequested() const { return quitRequested_; }

private:
    static int watch(void* self, SDL_Event* event);

    int pendingWheelSteps_ = 0;
    int wheelSteps_ = 0;
    glm::ivec2 pendingDrag_{0, 0};
    glm::ivec2 drag_{0, 0};
    bool quitRequested_ = false;
};

#endif
