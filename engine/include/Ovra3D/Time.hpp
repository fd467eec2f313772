/// \file
/// Frame timing shared by the whole process.
#ifndef OVRA_TIME_HPP
#define OVRA_TIME_HPP

#include <cstdint>

namespace ovra {

/// Frame timing shared by the whole process: the main loop writes it, game timers read it.
/// Never instantiated.
class Time {
public:
    virtual ~Time() = default;

    static float deltaTime;  ///< Seconds of the current frame; 0 before the first frame.
    static uint16_t fps;     ///< Target frame rate, read when run() starts; 0 = uncapped.

private:
    Time() = default;
};

}  // namespace ovra

#endif
