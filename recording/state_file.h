#pragma once
#include <QString>

namespace recording {

// The small file that remembers the last profile, the language selector's position and
// the automatic-connection choice:
//   offset 0   path length N (32-bit, little-endian)
//   offset 4   the profile path, N Windows-1251 bytes, room for 196 bytes
//   offset 200 language selector index (32-bit)
//   offset 204 auto-connect flag (1 byte)
// Every writer writes its own field only; fields behind the end of a shorter file read as
// zero. Failures are reported as FileError.
namespace state_file {

constexpr int PathCapacity = 196;
inline const QString FileName = QStringLiteral("1.dat");

// The folder shared by all users on Windows; elsewhere no folder is writable by every
// user, so the user's own data folder stands in for it.
QString DefaultFolder();
QString DefaultPath();

// Creates the folder and an empty file when there is none. Returns true when the file
// existed already (only then is there anything to read).
bool EnsureExists(const QString& path);

struct Contents {
    // Empty when none is remembered, when the stored length does not fit the field (a
    // foreign file), or when the file ends before the path does (a file cut short).
    QString profilePath;
    qint32 languageIndex = 0;
    bool autoConnect = false;
};
Contents Read(const QString& path);

// Remembers the profile path. A path longer than the field, or one with a character the
// code page lacks, cannot be remembered: the file stays untouched (so the language index
// and the auto-connect flag behind the field stay intact) and FileError says so.
void SaveProfilePath(const QString& path, const QString& profilePath);
void SaveLanguageIndex(const QString& path, qint32 languageIndex);
void SaveAutoConnect(const QString& path, bool autoConnect);

} // namespace state_file
} // namespace recording
