#include "Ovra3D/StopSignals.hpp"

#include <atomic>
#include <csignal>

namespace ovra {

namespace {

// A signal may land on any thread (the GL driver runs its own), so the flag is a lock-free
// atomic rather than a volatile: both are safe in a handler, only the atomic across threads.
std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the stop flag must be usable in a signal handler");

// Only async-signal-safe calls: an atomic exchange, sigaction and raise.
void onStopSignal(int signal) {
    if (!stopRequested.exchange(true)) {
        return;
    }
    // Asked twice: the default action ends the process as soon as this handler returns.
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset(&defaultAction.sa_mask);
    sigaction(signal, &defaultAction, nullptr);
    raise(signal);
}

struct Slot {
    int signal;
    struct sigaction previous;
    bool installed;
};

Slot slots[] = {{SIGINT, {}, false}, {SIGTERM, {}, false}};

bool isHandledHere(const struct sigaction& action) {
    return !(action.sa_flags & SA_SIGINFO) && action.sa_handler == onStopSignal;
}

bool isIgnored(const struct sigaction& action) {
    return !(action.sa_flags & SA_SIGINFO) && action.sa_handler == SIG_IGN;
}

}  // namespace

StopSignals::StopSignals() {
    stopRequested = false;
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    // Both blocked during the handler, so an INT and a TERM arriving together count as two.
    sigemptyset(&action.sa_mask);
    for (const Slot& slot : slots) {
        sigaddset(&action.sa_mask, slot.signal);
    }
    action.sa_flags = SA_RESTART;

    for (Slot& slot : slots) {
        struct sigaction current {};
        if (sigaction(slot.signal, nullptr, &current) != 0) {
            continue;
        }
        // Still ours after an earlier stop: the action saved then is the one to give back.
        if (slot.installed && isHandledHere(current)) {
            continue;
        }
        slot.previous = current;
        // Whoever started the program ignored it on purpose (a shell's background job
        // ignores SIGINT), so it stays ignored.
        slot.installed = !isIgnored(current) && sigaction(slot.signal, &action, nullptr) == 0;
    }
}

StopSignals::~StopSignals() {
    // After a stop the handler stays: a second signal during the shutdown that follows must
    // end the process, and what handled the signal before might swallow it.
    if (stopRequested) {
        return;
    }
    for (Slot& slot : slots) {
        if (slot.installed) {
            sigaction(slot.signal, &slot.previous, nullptr);
            slot.installed = false;
        }
    }
}

bool StopSignals::requested() const { return stopRequested; }

}  // namespace ovra
