#pragma once
#include <QtGlobal>

#include <sys/resource.h>

#include <csignal>

// While it lives, no file of this process may grow beyond the given size: a write past it
// fails as on a full disk, instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_saved;
        limited.rlim_cur = rlim_t(bytes);
        m_set = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }
    bool isSet() const { return m_set; }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
    bool m_set = false;
};
