#pragma once
#include <csignal>

namespace platform {

// SIGINT, SIGTERM and SIGHUP as a descriptor that becomes readable when one arrives,
// instead of ending the process, so the program can leave its event loop and let its
// destructors tidy up. Create it first thing in main: the signals are blocked for the
// threads started after it, until it goes; those that arrived by then count as handled.
// Throws std::system_error when the system refuses.
class TerminationSignals {
public:
    TerminationSignals();
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    int descriptor() const { return m_descriptor; }

private:
    sigset_t m_previousMask;
    int m_descriptor = -1;
};

} // namespace platform
