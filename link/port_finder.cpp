#include "port_finder.h"

#include <QDir>

namespace dongle {

void PortFinder::load(const QString& folder)
{
    m_library.setFileName(QDir(folder).filePath(QString::fromLatin1(kPortFinderLibrary)));
    if (!m_library.load())
        return;
    m_gets = reinterpret_cast<TPortFinderEntry>(m_library.resolve(kPortFinderEntry));
}

bool PortFinder::query()
{
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
