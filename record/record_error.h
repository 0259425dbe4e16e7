#pragma once
#include <QString>

#include <stdexcept>

namespace record {

// What the recorder's exit code tells a script.
enum ExitCode : int {
    Done = 0,
    UsageError = 1,     // the command line or a file it names cannot be used
    LinkFailed = 2,     // no dongle, or the meter could not be linked (again)
    FileNotWritten = 3, // an output or the journal could not be written
};

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
