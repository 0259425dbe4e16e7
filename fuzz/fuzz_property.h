#pragma once
// A property a fuzz target checks on every input. A failed one stops the run with its name
// and the details, so libFuzzer reports it as a crash and keeps the input that broke it.
#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

[[noreturn]] inline void propertyFailed(const char* property, const QString& details)
{
    std::fprintf(stderr, "\nProperty failed: %s\n%s\n", property, qPrintable(details));
    std::abort();
}

// The details are worked out only when the property fails.
template <typename Details> void require(bool holds, const char* property, Details details)
{
    if (!holds)
        propertyFailed(property, details());
}

inline void require(bool holds, const char* property)
{
    if (!holds)
        propertyFailed(property, QString());
}

// Bytes as the C escapes of their non-printable characters, for the details of a failure.
inline QString shown(const QByteArray& bytes)
{
    QString text;
    for (const char c : bytes) {
        const auto byte = quint8(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\')
            text += QChar(byte);
        else
            text += QStringLiteral("\\x%1").arg(byte, 2, 16, QChar(u'0'));
    }
    return u'"' + text + u'"';
}

} // namespace fuzz
