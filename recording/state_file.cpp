#include "recording/state_file.h"

#include "localisation/ansi_codepage.h"
#include "recording/binary_file.h"
#include "recording/file_error.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace recording::state_file {
namespace {

constexpr qint64 PathLengthOffset = 0;
constexpr qint64 PathOffset = 4;
constexpr qint64 LanguageOffset = 200;
constexpr qint64 AutoConnectOffset = 204;
constexpr qint64 KnownSize = 205;

qint32 int32At(const QByteArray& content, qint64 offset)
{
    return content.size() >= offset + 4 ? DecodeInt32(content, offset) : 0;
}

void writeField(const QString& path, qint64 offset, const QByteArray& bytes)
{
    BinaryFile file(path, BinaryFile::Mode::ReadWrite);
    file.writeAt(offset, bytes);
    file.close();
}

} // namespace

QString DefaultFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:/Users/Public/Documents/RLC_Data");
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/RLC_Data");
#endif
}

QString DefaultPath()
{
    return DefaultFolder() + u'/' + FileName;
}

bool EnsureExists(const QString& path)
{
    if (QFileInfo::exists(path))
        return true;
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw FileError(QStringLiteral("%1: cannot create the folder").arg(folder));
    BinaryFile(path, BinaryFile::Mode::Truncate).close();
    return false;
}

Contents Read(const QString& path)
{
    BinaryFile file(path, BinaryFile::Mode::ReadOnly);
    const QByteArray content = file.readUpTo(0, KnownSize);
    Contents contents;
    const qint32 pathLength = int32At(content, PathLengthOffset);
    // A file cut short before the path's end holds the start of a path: another file's name.
    if (pathLength > 0 && pathLength <= PathCapacity && content.size() >= PathOffset + pathLength)
        contents.profilePath = localisation::fromAnsi(content.mid(PathOffset, pathLength));
    contents.languageIndex = int32At(content, LanguageOffset);
    contents.autoConnect = content.size() > AutoConnectOffset && content[AutoConnectOffset] != 0;
    return contents;
}

void SaveProfilePath(const QString& path, const QString& profilePath)
{
    const QByteArray bytes = localisation::toAnsi(profilePath);
    if (bytes.size() > PathCapacity)
        throw FileError(QStringLiteral("%1: the profile path is longer than %2 characters and cannot be remembered")
                            .arg(profilePath)
                            .arg(PathCapacity));
    // A character the code page lacks would be stored as "?" and name another file.
    if (localisation::fromAnsi(bytes) != profilePath)
        throw FileError(
            QStringLiteral("%1: the profile path holds characters that cannot be remembered").arg(profilePath));
    writeField(path, PathLengthOffset, EncodeInt32(qint32(bytes.size())) + bytes);
}

void SaveLanguageIndex(const QString& path, qint32 languageIndex)
{
    writeField(path, LanguageOffset, EncodeInt32(languageIndex));
}

void SaveAutoConnect(const QString& path, bool autoConnect)
{
    writeField(path, AutoConnectOffset, QByteArray(1, autoConnect ? '\1' : '\0'));
}

} // namespace recording::state_file
