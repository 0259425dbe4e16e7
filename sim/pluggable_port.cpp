#include "sim/pluggable_port.h"

#include "sim/pseudo_terminal.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTimer>
#include <cerrno>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace sim {

// What exists only while plugged in. Members go in reverse order, so the notifier stops
// watching before the descriptors close; writes scheduled on the session go with it.
class PluggedSession : public QObject {
public:
    PseudoTerminal terminal;
    QSocketNotifier readNotifier{terminal.masterDescriptor(), QSocketNotifier::Read};
};

namespace {

const QString kOwnLinkName = QStringLiteral("dongle");

[[noreturn]] void fail(int error, const char* what)
{
    throw std::system_error(error, std::generic_category(), what);
}

// A link already at the path is replaced (one left behind by a run that was killed);
// anything else there is not ours to remove.
void pointLinkAt(const QString& linkPath, const QString& target)
{
    const QByteArray link = QFile::encodeName(linkPath);
    struct stat existing {};
    if (::lstat(link.constData(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode))
            fail(EEXIST, "stable link path");
        ::unlink(link.constData());
    }
    if (::symlink(QFile::encodeName(target).constData(), link.constData()) != 0)
        fail(errno, "symlink");
}

} // namespace

PluggablePort::PluggablePort(const QString& linkPath, QObject* parent) : QObject(parent), m_stablePath(linkPath)
{
    if (m_stablePath.isEmpty()) {
        m_ownLinkFolder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/rlc-sim-XXXXXX"));
        if (!m_ownLinkFolder->isValid())
            fail(errno, "temporary folder for the stable link");
        m_stablePath = m_ownLinkFolder->filePath(kOwnLinkName);
    }
    plugIn();
}

PluggablePort::~PluggablePort()
{
    unplug();
}

QString PluggablePort::slavePath() const
{
    return m_session ? m_session->terminal.slavePath() : QString();
}

void PluggablePort::plugIn()
{
    if (m_session)
        return;
    auto session = std::make_unique<PluggedSession>();
    pointLinkAt(m_stablePath, session->terminal.slavePath());
    connect(&session->readNotifier, &QSocketNotifier::activated, this, &PluggablePort::readFromProgram);
    if (!m_takingBytes)
        session->terminal.holdProgramOutput(true);
    m_session = std::move(session);
}

void PluggablePort::unplug()
{
    if (!m_session)
        return;
    ::unlink(QFile::encodeName(m_stablePath).constData());
    m_session.reset();
}

bool PluggablePort::write(const QByteArray& bytes)
{
    if (!m_session)
        return false;
    m_session->terminal.write(bytes);
    return true;
}

void PluggablePort::writeAfter(int delayMs, const QByteArray& bytes, const std::function<void()>& whenWritten)
{
    if (!m_session)
        return;
    QTimer::singleShot(delayMs, m_session.get(), [this, bytes, whenWritten] {
        write(bytes);
        whenWritten();
    });
}

void PluggablePort::setTakingBytes(bool taking)
{
    m_takingBytes = taking;
    if (m_session)
        m_session->terminal.holdProgramOutput(!taking);
}

void PluggablePort::readFromProgram()
{
    emit received(m_session->terminal.readAvailable());
}

} // namespace sim
