#pragma once
// Failure messages show Qt texts as text, not as bytes.
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* os)
{
    *os << '{';
    for (const QString& text : texts)
        *os << ' ' << '"' << text.toStdString() << '"';
    *os << " }";
}
