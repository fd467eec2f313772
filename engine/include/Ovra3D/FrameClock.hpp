#ifndef OVRA_FRAMECLOCK_HPP
#define OVRA_FRAMECLOCK_HPP

#include <cstdint>

namespace ovra {

// The clock and the sleep the main loop paces itself with: the system clock in
// microseconds by default; tests substitute their own to drive time exactly.
class FrameClock {
public:
    virtual ~FrameClock() = default;
    virtual int64_t nowMicroseconds();
    virtual void sleepMicroseconds(int64_t duration);
};

}  // namespace ovra

#endif
