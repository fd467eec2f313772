#include "ViewerInput.hpp"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

// SDL's event queue alone, no window: events pushed here reach the input's watch as a
// window's would.
class ViewerInputTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError(); }
    void TearDown() override { SDL_Quit(); }

    static void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
    static SDL_Event motion(int xrel, int yrel, uint32_t buttons) {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.state = buttons;
        event.motion.xrel = xrel;
        event.motion.yrel = yrel;
        return event;
    }
    static SDL_Event button(uint32_t type) {
        SDL_Event event{};
        event.type = type;
        event.button.button = SDL_BUTTON_LEFT;
        return event;
    }
};

}  // namespace

// A slow frame can see a whole drag, press to release, in one handle(): every step counts,
// and only steps made with the left button held.
TEST_F(ViewerInputTest, DragAddsUpEveryMoveWithTheLeftButtonHeldSinceTheLastFrame) {
    ViewerInput input;
    push(motion(7, 7, 0));
    push(button(SDL_MOUSEBUTTONDOWN));
    for (int step = 0; step < 4; ++step) {
        push(motion(40, -3, SDL_BUTTON_LMASK));
    }
    push(motion(5, 5, SDL_BUTTON_RMASK));
    push(button(SDL_MOUSEBUTTONUP));
    push(motion(9, 9, 0));
    input.handle();
    EXPECT_EQ(input.getDrag(), glm::ivec2(160, -12));
    EXPECT_FALSE(input.isKeyDown(ovra::Input::k_MOUSE_LEFT));

    // The next frame starts from nothing.
    input.handle();
    EXPECT_EQ(input.getDrag(), glm::ivec2(0, 0));
}
