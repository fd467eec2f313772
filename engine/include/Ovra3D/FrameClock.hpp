/// \file
/// The clock the main loop paces itself with.
#ifndef OVRA_FRAMECLOCK_HPP
#define OVRA_FRAMECLOCK_HPP

#include <cstdint>

namespace ovra {

/// The clock and the sleep the main loop paces itself with: the system clock in
/// microseconds by default; tests substitute their own to drive time exactly.
class FrameClock {
public:
    virtual ~FrameClock() = default;
    /// Now, in microseconds of the system clock (truncated).
    virtual int64_t nowMicroseconds();
    /// Sleeps `duration` microseconds in one call; zero or less returns at once.
    virtual void sleepMicroseconds(int64_t duration);
};

}  // namespace ovra

#endif
