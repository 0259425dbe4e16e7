#pragma once
#include <QLibrary>
#include <QString>
#include <QStringList>

#include "portfinder/port_query.h"

namespace dongle {

// The dongle finder: a shared library with the entry "gets", beside the executable or in
// the program's installed library folder. It is loaded once at start and never unloaded;
// without it the dongle is simply never found. Or, when the user names the port, that
// port alone, present while its device file is there.
class PortFinder {
public:
    // Loads the library from the first of the folders that holds it. A library or entry
    // that cannot be had does not stop the program; it is reported on standard error.
    void load(const QStringList& folders);
    // From now on the dongle is this port and no other: nothing is looked for.
    void usePort(const QString& path);
    bool isAvailable() const { return m_gets != nullptr || !m_namedPort.isEmpty(); }

    // Asks for the dongle; true when the library reports it present (Status 1).
    bool query();
    // The last answer; 0 before the first call.
    int status() const { return m_query.Status; }
    QString portName() const;

private:
    QLibrary m_library;
    TPortFinderEntry m_gets = nullptr;
    TPortQuery m_query{};
    QString m_namedPort;
    QByteArray m_namedPortBytes; // what m_query.PortName points at while the port is named
};

} // namespace dongle
