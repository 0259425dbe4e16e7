#include "platform/termination_signals.h"

#include <cerrno>
#include <sys/signalfd.h>
#include <system_error>
#include <unistd.h>

namespace platform {

TerminationSignals::TerminationSignals()
{
    sigset_t terminating;
    sigemptyset(&terminating);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&terminating, signal);
    if (const int error = pthread_sigmask(SIG_BLOCK, &terminating, &m_previousMask); error != 0)
        throw std::system_error(error, std::generic_category(), "pthread_sigmask");
    m_descriptor = signalfd(-1, &terminating, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_descriptor < 0) {
        const int error = errno;
        pthread_sigmask(SIG_SETMASK, &m_previousMask, nullptr);
        throw std::system_error(error, std::generic_category(), "signalfd");
    }
}

// Signals that arrived are taken as handled: left pending, they would end the process the
// moment they are unblocked.
TerminationSignals::~TerminationSignals()
{
    signalfd_siginfo arrived{};
    while (::read(m_descriptor, &arrived, sizeof arrived) == sizeof arrived) {}
    ::close(m_descriptor);
    pthread_sigmask(SIG_SETMASK, &m_previousMask, nullptr);
}

} // namespace platform
