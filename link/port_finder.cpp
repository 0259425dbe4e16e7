#include "link/port_finder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace dongle {

namespace {

void warnDongleNeverFound(const QString& reason)
{
    qWarning("%s: %s. The dongle will not be found, nor the port named by RLC_DONGLE_PORT "
             "opened; reinstalling the program puts the port finder back in place.",
             qPrintable(QCoreApplication::applicationName()), qPrintable(reason));
}

} // namespace

void PortFinder::load(const QStringList& folders)
{
    QStringList failures;
    for (const QString& folder : folders) {
        m_library.setFileName(QDir(folder).filePath(QString::fromLatin1(kPortFinderLibrary)));
        if (!m_library.load()) {
            failures << m_library.errorString();
            continue;
        }
        m_gets = reinterpret_cast<TPortFinderEntry>(m_library.resolve(kPortFinderEntry));
        if (!m_gets)
            warnDongleNeverFound(m_library.errorString());
        return;
    }
    warnDongleNeverFound(
        QStringLiteral("the port finder library could not be loaded (%1)").arg(failures.join(QStringLiteral("; "))));
}

void PortFinder::usePort(const QString& path)
{
    m_namedPort = path;
    m_namedPortBytes = QFile::encodeName(path);
}

bool PortFinder::query()
{
    if (!m_namedPort.isEmpty()) {
        // Asked each time: a device that went away may come back under the same name.
        m_query.Status = QFileInfo::exists(m_namedPort) ? 1 : 0;
        m_query.PortName = m_namedPortBytes.constData();
        return m_query.Status == 1;
    }
    if (!m_gets)
        return false;
    m_query.DeviceDescription = kDongleDescription;
    m_query.ExtraKey = "";
    m_gets(&m_query);
    return m_query.Status == 1;
}

QString PortFinder::portName() const
{
    return m_query.Status == 1 && m_query.PortName ? QString::fromLocal8Bit(m_query.PortName) : QString();
}

} // namespace dongle
