#include "Ovra3D/FrameClock.hpp"

#include <chrono>
#include <thread>

namespace ovra {

int64_t FrameClock::nowMicroseconds() {
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

void FrameClock::sleepMicroseconds(int64_t duration) {
    std::this_thread::sleep_for(std::chrono::microseconds(duration));
}

}  // namespace ovra
