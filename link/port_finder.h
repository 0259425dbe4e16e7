#pragma once
#include <QLibrary>
#include <QString>

#include "port_query.h"

namespace dongle {

// The dongle finder: a shared library beside the executable with the entry "gets". It is
// loaded once at start and never unloaded; without it the dongle is simply never found.
class PortFinder {
public:
    // Loads the library from the given folder; a missing library or entry is not an error.
    void load(const QString& folder);
    bool isAvailable() const { return m_gets != nullptr; }

    // Asks for the dongle; true when the library reports it present (Status 1).
    bool query();
    // The last answer; 0 before the first call.
    int status() const { return m_query.Status; }
    QString portName() const;

private:
    QLibrary m_library;
    TPortFinderEntry m_gets = nullptr;
    TPortQuery m_query{};
};

} // namespace dongle
