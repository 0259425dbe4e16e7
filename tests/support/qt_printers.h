#pragma once
// Lets GoogleTest print Qt texts readably in failure messages.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* os)
{
    *os << '[' << ('"' + texts.join(QStringLiteral("\", \"")) + '"').toStdString() << ']';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    *os << '"' << bytes.toHex(' ').toStdString() << "\" (hex)";
}

inline void PrintTo(const QDateTime& when, std::ostream* os)
{
    *os << when.toString(Qt::ISODateWithMs).toStdString();
}
QT_END_NAMESPACE
