#pragma once
// A command line from a fuzz input: the arguments parted by NUL bytes as the system hands
// them to a program, and read as the programs read theirs. The program's own name comes
// first.
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace fuzz {

inline QStringList commandLineOf(const QString& program, QByteArrayView input)
{
    QStringList arguments{program};
    if (input.isEmpty())
        return arguments;
    for (qsizetype at = 0;;) {
        const qsizetype end = input.indexOf('\0', at);
        arguments << QString::fromLocal8Bit(input.sliced(at, (end < 0 ? input.size() : end) - at));
        if (end < 0)
            return arguments;
        at = end + 1;
    }
}

} // namespace fuzz
