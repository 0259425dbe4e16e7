#pragma once
// A folder for the targets whose parsers read files: in memory where the machine has a
// tmpfs at /dev/shm, made once per run of a target and removed when it ends normally. Each
// input is written over the same few files, so a run of millions of inputs makes no more.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace fuzz {

inline QString scratchPath(const QString& fileName)
{
    static const QTemporaryDir folder(
        (QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath())
        + QStringLiteral("/rlc-fuzz-XXXXXX"));
    if (!folder.isValid())
        qFatal("no scratch folder for the fuzz target: %s", qPrintable(folder.errorString()));
    return folder.filePath(fileName);
}

inline void writeScratchFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write the scratch file %s", qPrintable(path));
}

inline QByteArray readScratchFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the scratch file %s", qPrintable(path));
    return file.readAll();
}

} // namespace fuzz
