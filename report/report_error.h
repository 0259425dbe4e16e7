#pragma once
#include "platform/exit_code.h"

#include <QString>

namespace report {

// Why a report cannot be made, in words the user can act on (the file or database and the
// reason), with the exit code the report program ends with.
class ReportError {
public:
    ReportError(platform::ExitCode code, QString message) : m_code(code), m_message(std::move(message)) {}
    platform::ExitCode code() const { return m_code; }
    const QString& message() const { return m_message; }

private:
    platform::ExitCode m_code;
    QString m_message;
};

} // namespace report
