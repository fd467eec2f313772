#ifndef OVRA_STOPSIGNALS_HPP
#define OVRA_STOPSIGNALS_HPP

namespace ovra {

/// While it lives, SIGINT and SIGTERM ask the main loop to stop instead of killing the
/// process: the first one only raises a flag that the loop reads; a second one, even after
/// this object is gone, ends the process at once. Without a stop, the signals get their
/// former actions back on destruction. A signal inherited as ignored stays ignored.
/// One instance at a time: the signal actions are process-wide.
class StopSignals {
public:
    /// Installs the handlers of SIGINT and SIGTERM and clears the flag.
    StopSignals();
    /// Restores the former actions, unless a stop was asked for.
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    /// True once a stop signal arrived since construction.
    bool requested() const;
};

}  // namespace ovra

#endif
