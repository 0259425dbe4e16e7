#pragma once
#include <QString>

namespace store {

// A database that cannot be opened, read or written, with the file or server and the
// reason, in words for the user.
class StoreError {
public:
    explicit StoreError(QString message) : m_message(std::move(message)) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace store
