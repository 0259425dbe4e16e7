#pragma once
#include "platform/exit_code.h"

#include <QString>

#include <stdexcept>

namespace record {

// The recorder's exit codes are those of every program without a window.
using ExitCode = platform::ExitCode;
using enum platform::ExitCode;

// Why recording cannot begin or go on, in words the user can act on, with its exit code.
class RecordError : public std::runtime_error {
public:
    RecordError(ExitCode code, const QString& message) :
        std::runtime_error(message.toStdString()), m_code(code), m_message(message)
    {
    }
    ExitCode code() const { return m_code; }
    const QString& message() const { return m_message; }

private:
    ExitCode m_code;
    QString m_message;
};

} // namespace record
