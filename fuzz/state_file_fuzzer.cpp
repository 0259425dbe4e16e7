// The state file: a file found on the disk is read, each field read is written back, and
// then a profile path of the input is remembered, as the window does at its start and
// close. What is read and written back reads the same (and leaves the bytes as they were
// where the field held what the program writes); a path that cannot be remembered is
// refused and leaves the file untouched; a path remembered reads back and leaves the other
// fields alone.
//
// The input: the length of a profile path, the path in UTF-8, then the file.
#include "fuzz/fuzz_property.h"
#include "fuzz/scratch_folder.h"
#include "localisation/ansi_codepage.h"
#include "recording/file_error.h"
#include "recording/state_file.h"

#include <cstdint>
#include <functional>

namespace {

using fuzz::require;
using recording::FileError;
namespace state_file = recording::state_file;

constexpr qsizetype kLanguageIndexEnd = 204;
constexpr qsizetype kAutoConnectAt = 204;

QString statePath()
{
    static const QString path = fuzz::scratchPath(state_file::FileName);
    return path;
}

QString contentsText(const state_file::Contents& contents)
{
    return QStringLiteral("path \"%1\", language %2, auto-connect %3")
        .arg(contents.profilePath)
        .arg(contents.languageIndex)
        .arg(contents.autoConnect);
}

bool operator==(const state_file::Contents& a, const state_file::Contents& b)
{
    return a.profilePath == b.profilePath && a.languageIndex == b.languageIndex && a.autoConnect == b.autoConnect;
}

state_file::Contents readUnchanged()
{
    const QByteArray before = fuzz::readScratchFile(statePath());
    const state_file::Contents contents = state_file::Read(statePath());
    require(fuzz::readScratchFile(statePath()) == before, "reading the state file leaves it as it was");
    require(contents.profilePath.size() <= state_file::PathCapacity, "a remembered path fits its field",
            [&] { return contents.profilePath; });
    return contents;
}

// Writes a field back as it was read: the contents read the same, and where the field
// held what the program writes, so do the bytes.
void writeBack(const char* field, const std::function<void()>& write, bool bytesKept)
{
    const QByteArray before = fuzz::readScratchFile(statePath());
    const state_file::Contents read = readUnchanged();
    write();
    const state_file::Contents reread = readUnchanged();
    require(reread == read, "a field written back as it was read reads the same", [&] {
        return QString::fromLatin1(field) + QStringLiteral(": ") + contentsText(read) + QStringLiteral(" became ")
            + contentsText(reread);
    });
    if (bytesKept)
        require(fuzz::readScratchFile(statePath()) == before, "a field written back as it was read keeps its bytes",
                [&] { return QString::fromLatin1(field) + QStringLiteral(" in ") + fuzz::shown(before); });
}

bool rememberable(const QString& profilePath)
{
    const QByteArray bytes = localisation::toAnsi(profilePath);
    return bytes.size() <= state_file::PathCapacity && localisation::fromAnsi(bytes) == profilePath;
}

void remember(const QString& profilePath)
{
    const QByteArray before = fuzz::readScratchFile(statePath());
    const state_file::Contents read = readUnchanged();
    try {
        state_file::SaveProfilePath(statePath(), profilePath);
    } catch (const FileError& refused) {
        require(!rememberable(profilePath), "a path the field can hold is remembered",
                [&] { return refused.message(); });
        require(refused.message().contains(profilePath), "a refusal names the path", [&] { return refused.message(); });
        require(fuzz::readScratchFile(statePath()) == before, "a path refused leaves the state file untouched",
                [&] { return profilePath; });
        return;
    }
    require(rememberable(profilePath), "a path the field cannot hold is refused", [&] { return profilePath; });
    const state_file::Contents reread = readUnchanged();
    require(reread.profilePath == profilePath && reread.languageIndex == read.languageIndex
                && reread.autoConnect == read.autoConnect,
            "a path remembered reads back and leaves the other fields alone",
            [&] { return profilePath + QStringLiteral(" gave ") + contentsText(reread); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView input(data, qsizetype(size));
    if (input.isEmpty())
        return -1;
    const qsizetype pathLength = quint8(input[0]);
    if (input.size() < 1 + pathLength)
        return -1;
    const QString profilePath = QString::fromUtf8(input.sliced(1, pathLength));
    const QByteArray file = input.sliced(1 + pathLength).toByteArray();
    fuzz::writeScratchFile(statePath(), file);

    const state_file::Contents read = readUnchanged();
    remember(read.profilePath);
    if (!read.profilePath.isEmpty() && rememberable(read.profilePath))
        require(fuzz::readScratchFile(statePath()) == file, "a path written back as it was read keeps its bytes",
                [&] { return fuzz::shown(file); });
    writeBack(
        "the language index", [&] { state_file::SaveLanguageIndex(statePath(), read.languageIndex); },
        file.size() >= kLanguageIndexEnd);
    writeBack(
        "the auto-connect flag", [&] { state_file::SaveAutoConnect(statePath(), read.autoConnect); },
        file.size() > kAutoConnectAt && quint8(file[kAutoConnectAt]) <= 1);
    remember(profilePath);
    return 0;
}
