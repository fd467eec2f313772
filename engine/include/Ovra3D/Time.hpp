#ifndef OVRA_TIME_HPP
#define OVRA_TIME_HPP

#include <cstdint>

namespace ovra {

// Frame timing shared by the whole process: the main loop writes it, game timers read it.
class Time {
public:
    virtual ~Time() = default;

    static float deltaTime;   // seconds of the current frame
    static uint16_t fps;      // target frame rate, 0 = uncapped

private:
    Time() = default;
};

}  // namespace ovra

#endif
