#include "sim/pseudo_terminal.h"

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace sim {
namespace {

[[noreturn]] void fail(const char* what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

void makeRaw(int descriptor)
{
    termios settings{};
    if (tcgetattr(descriptor, &settings) != 0)
        fail("tcgetattr");
    cfmakeraw(&settings);
    if (tcsetattr(descriptor, TCSANOW, &settings) != 0)
        fail("tcsetattr");
}

} // namespace

PseudoTerminal::PseudoTerminal()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_master < 0)
        fail("posix_openpt");
    try {
        if (grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            fail("grantpt/unlockpt");
        char name[128] = {};
        if (ptsname_r(m_master, name, sizeof name) != 0)
            fail("ptsname");
        m_slavePath = QString::fromLocal8Bit(name);
        m_slaveKeepAlive = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_slaveKeepAlive < 0)
            fail("open slave");
        makeRaw(m_slaveKeepAlive);
        makeRaw(m_master);
    } catch (...) {
        closeAll();
        throw;
    }
}

PseudoTerminal::~PseudoTerminal()
{
    closeAll();
}

void PseudoTerminal::closeAll()
{
    if (m_slaveKeepAlive >= 0)
        ::close(m_slaveKeepAlive);
    if (m_master >= 0)
        ::close(m_master);
    m_slaveKeepAlive = m_master = -1;
}

QByteArray PseudoTerminal::readAvailable()
{
    QByteArray bytes;
    char chunk[512];
    for (;;) {
        const ssize_t count = ::read(m_master, chunk, sizeof chunk);
        if (count > 0)
            bytes.append(chunk, count);
        else if (count < 0 && errno == EINTR)
            continue;
        else
            return bytes; // EAGAIN: drained
    }
}

void PseudoTerminal::holdProgramOutput(bool held)
{
    // The slave's output is the program's: stopping it on our own slave descriptor stops it
    // for every descriptor of the device.
    if (tcflow(m_slaveKeepAlive, held ? TCOOFF : TCOON) != 0)
        fail("tcflow");
}

void PseudoTerminal::write(const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(m_master, bytes.constData() + written, size_t(bytes.size() - written));
        if (count > 0)
            written += count;
        else if (count < 0 && errno == EINTR)
            continue;
        else
            return; // EAGAIN: the slave's queue is full
    }
}

} // namespace sim
