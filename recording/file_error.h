#pragma once
#include <QString>
#include <stdexcept>

namespace recording {

// A profile, state or export file operation that could not be done. The message names
// the file and the reason, ready to be shown; the window shows its own failure message
// where the design asks for one.
class FileError : public std::runtime_error {
public:
    explicit FileError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace recording
