#include "Ovra3D/SDL2/SDL2Input.hpp"

#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <vector>

using ovra::Input;
using ovra::sdl2::SDL2Input;

namespace {

// Starts every test from an empty queue, then feeds it real SDL events.
class SDL2InputEvents : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    static void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

    static void key(Uint32 type, SDL_Scancode scancode, bool repeat = false) {
        SDL_Event event{};
        event.type = type;
        event.key.keysym.scancode = scancode;
        event.key.repeat = repeat ? 1 : 0;
        push(event);
    }

    static void button(Uint32 type, Uint8 which, int x, int y) {
        SDL_Event event{};
        event.type = type;
        event.button.button = which;
        event.button.x = x;
        event.button.y = y;
        push(event);
    }

    static void motion(int x, int y) {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.x = x;
        event.motion.y = y;
        push(event);
    }

    SDL2Input input_;
};

}  // namespace

TEST_F(SDL2InputEvents, PressAndReleaseInOnePollReadsUpThenIdle) {
    key(SDL_KEYDOWN, SDL_SCANCODE_W);
    key(SDL_KEYUP, SDL_SCANCODE_W);
    input_.handle();
    EXPECT_TRUE(input_.isKeyUp(Input::k_W));
    EXPECT_FALSE(input_.isKeyDown(Input::k_W));
    input_.handle();
    EXPECT_FALSE(input_.isKeyUp(Input::k_W));
    EXPECT_FALSE(input_.isKeyDown(Input::k_W));
}

TEST_F(SDL2InputEvents, ReleaseThenPressInOnePollReadsDown) {
    key(SDL_KEYDOWN, SDL_SCANCODE_A);
    input_.handle();
    key(SDL_KEYUP, SDL_SCANCODE_A);
    key(SDL_KEYDOWN, SDL_SCANCODE_A);
    input_.handle();
    EXPECT_TRUE(input_.isKeyDown(Input::k_A));
    EXPECT_FALSE(input_.isKeyUp(Input::k_A));
}

TEST_F(SDL2InputEvents, HeldKeyStaysDownWithOrWithoutRepeats) {
    key(SDL_KEYDOWN, SDL_SCANCODE_D);
    input_.handle();
    input_.handle();
    key(SDL_KEYDOWN, SDL_SCANCODE_D, true);
    input_.handle();
    input_.handle();
    EXPECT_TRUE(input_.isKeyDown(Input::k_D));
}

TEST_F(SDL2InputEvents, ReleaseWithoutPressReadsUp) {
    key(SDL_KEYUP, SDL_SCANCODE_ESCAPE);
    input_.handle();
    EXPECT_TRUE(input_.isKeyUp(Input::k_ESCAPE));
}

TEST_F(SDL2InputEvents, OnlyTheLastPositionUpdateOfAPollCountsAsMovement) {
    motion(10, 10);
    input_.handle();
    motion(15, 10);
    motion(20, 12);
    input_.handle();
    EXPECT_EQ(input_.getMouseX(), 20);
    EXPECT_EQ(input_.getMouseY(), 12);
    EXPECT_EQ(input_.getMouseRelativeX(), 5);
    EXPECT_EQ(input_.getMouseRelativeY(), 2);
    EXPECT_TRUE(input_.isMouseMoving());

    input_.handle();  // no events
    EXPECT_EQ(input_.getMouseX(), 20);
    EXPECT_EQ(input_.getMouseRelativeX(), 0);
    EXPECT_EQ(input_.getMouseRelativeY(), 0);
    EXPECT_FALSE(input_.isMouseMoving());
}

TEST_F(SDL2InputEvents, ButtonPressMovesThePointerAndReleaseDoesNot) {
    motion(290, 200);
    motion(300, 200);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 300, 200);
    input_.handle();
    EXPECT_TRUE(input_.isKeyDown(Input::k_MOUSE_LEFT));
    EXPECT_EQ(input_.getMouseX(), 300);
    EXPECT_EQ(input_.getMouseY(), 200);
    EXPECT_FALSE(input_.isMouseMoving());

    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 900, 900);
    input_.handle();
    EXPECT_TRUE(input_.isKeyUp(Input::k_MOUSE_RIGHT));
    EXPECT_EQ(input_.getMouseX(), 300);

    // A side button maps to no key, yet its press still places the pointer.
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 50, 60);
    input_.handle();
    EXPECT_EQ(input_.getMouseX(), 50);
    for (int k = Input::k_A; k < Input::KEY_COUNT; ++k) {
        EXPECT_FALSE(input_.isKeyUp(static_cast<Input::KEY>(k))) << k;
    }
}

TEST_F(SDL2InputEvents, EveryMappedScancodeAndButtonSetsExactlyItsKey) {
    struct Mapping {
        bool mouse;
        int source;
        Input::KEY key;
    };
    std::vector<Mapping> table;
    for (int i = 0; i < 26; ++i) {
        table.push_back({false, SDL_SCANCODE_A + i, static_cast<Input::KEY>(Input::k_A + i)});
    }
    table.push_back({false, SDL_SCANCODE_0, Input::k_0});
    for (int i = 0; i < 9; ++i) {
        table.push_back({false, SDL_SCANCODE_1 + i, static_cast<Input::KEY>(Input::k_1 + i)});
    }
    const std::vector<Mapping> named = {
        {false, SDL_SCANCODE_ESCAPE, Input::k_ESCAPE},         {false, SDL_SCANCODE_TAB, Input::k_TAB},
        {false, SDL_SCANCODE_CAPSLOCK, Input::k_CAPSLOCK},     {false, SDL_SCANCODE_LSHIFT, Input::k_LEFT_SHIFT},
        {false, SDL_SCANCODE_RSHIFT, Input::k_RIGHT_SHIFT},    {false, SDL_SCANCODE_LCTRL, Input::k_LEFT_CONTROL},
        {false, SDL_SCANCODE_RCTRL, Input::k_RIGHT_CONTROL},   {false, SDL_SCANCODE_SPACE, Input::k_SPACE},
        {false, SDL_SCANCODE_UP, Input::k_UP_ARROW},           {false, SDL_SCANCODE_DOWN, Input::k_DOWN_ARROW},
        {false, SDL_SCANCODE_LEFT, Input::k_LEFT_ARROW},       {false, SDL_SCANCODE_RIGHT, Input::k_RIGHT_ARROW},
        {true, SDL_BUTTON_LEFT, Input::k_MOUSE_LEFT},          {true, SDL_BUTTON_RIGHT, Input::k_MOUSE_RIGHT},
        {true, SDL_BUTTON_MIDDLE, Input::k_MOUSE_MIDDLE},      {false, SDL_SCANCODE_RETURN, Input::k_RETURN},
        {false, SDL_SCANCODE_KP_ENTER, Input::k_KEYPAD_ENTER}, {false, SDL_SCANCODE_F11, Input::k_F11},
    };
    table.insert(table.end(), named.begin(), named.end());
    EXPECT_EQ(Input::k_0, 27);
    EXPECT_EQ(Input::KEY_COUNT, 55);

    for (const Mapping& m : table) {
        SCOPED_TRACE(m.source);
        SDL2Input input;
        if (m.mouse) {
            button(SDL_MOUSEBUTTONDOWN, static_cast<Uint8>(m.source), 0, 0);
        } else {
            key(SDL_KEYDOWN, static_cast<SDL_Scancode>(m.source));
        }
        input.handle();
        for (int k = Input::KEY_UNKNOWN; k < Input::KEY_COUNT; ++k) {
            EXPECT_EQ(input.isKeyDown(static_cast<Input::KEY>(k)), k == m.key) << "key " << k;
        }
    }
}

TEST_F(SDL2InputEvents, UnmappedEventsAndOutOfRangeKeysChangeNothing) {
    key(SDL_KEYDOWN, SDL_SCANCODE_F1);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    push(quit);
    input_.handle();
    for (int k = -1; k <= Input::KEY_COUNT + 1; ++k) {
        EXPECT_FALSE(input_.isKeyDown(static_cast<Input::KEY>(k))) << k;
        EXPECT_FALSE(input_.isKeyUp(static_cast<Input::KEY>(k))) << k;
    }
    EXPECT_FALSE(input_.isMouseMoving());
}

TEST_F(SDL2InputEvents, FocusLossAndReturnAreSeenForOnePollAndTheStateHolds) {
    auto focus = [](Uint8 what) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = what;
        push(event);
    };
    EXPECT_TRUE(input_.hasFocus()) << "focused until told otherwise";
    struct Step {
        const char* name;
        std::vector<Uint8> events;
        bool lost, gained, has;
    };
    const Step steps[] = {
        {"lost", {SDL_WINDOWEVENT_FOCUS_LOST}, true, false, false},
        {"quiet poll", {}, false, false, false},
        {"gained", {SDL_WINDOWEVENT_FOCUS_GAINED}, false, true, true},
        {"quiet again", {}, false, false, true},
        {"lost and back in one poll", {SDL_WINDOWEVENT_FOCUS_LOST, SDL_WINDOWEVENT_FOCUS_GAINED}, true, true, true},
    };
    for (const Step& step : steps) {
        for (Uint8 e : step.events) {
            focus(e);
        }
        input_.handle();
        EXPECT_EQ(input_.isFocusLost(), step.lost) << step.name;
        EXPECT_EQ(input_.isFocusGained(), step.gained) << step.name;
        EXPECT_EQ(input_.hasFocus(), step.has) << step.name;
        EXPECT_FALSE(input_.isWindowResized()) << step.name;
    }
}
