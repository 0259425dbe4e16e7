// The profile file: a file found on the disk (another program's, a truncated one, one with
// a count that lies) is read part by part and then changed by a few operations, as the
// profile box does. Each operation is refused, leaving the file exactly as it was, or does
// what it promises to the parts and nothing else; every part read survives being written.
//
// The input: the number of operations (0 to 3), two bytes for each (which operation, and
// the part number as a signed byte), then the file.
#include "fuzz/fuzz_property.h"
#include "fuzz/scratch_folder.h"
#include "recording/file_error.h"
#include "recording/profile_file.h"

#include <QList>

#include <cstdint>
#include <optional>

namespace {

using fuzz::require;
using recording::FileError;
using recording::PartRecord;
namespace profile_file = recording::profile_file;

constexpr qsizetype kOperationCountAt = 0;
constexpr int kMostOperations = 3;
constexpr qsizetype kOperationSize = 2;

enum class Operation { Store, Insert, Delete, CopyOntoItself, Count };

QString profilePath()
{
    static const QString path = fuzz::scratchPath(QStringLiteral("parts") + profile_file::Extension);
    return path;
}

QString copyPath()
{
    static const QString path = fuzz::scratchPath(QStringLiteral("copy") + profile_file::Extension);
    return path;
}

QString partText(const PartRecord& part)
{
    return QStringLiteral("\"%1\" start %2, %3 %4/%5 \"%6\", %7 %8/%9 \"%10\"")
        .arg(part.name)
        .arg(part.startPosition)
        .arg(part.primaryTolerance)
        .arg(part.primaryKind)
        .arg(part.primaryUnit)
        .arg(part.primaryNominal)
        .arg(part.secondaryTolerance)
        .arg(part.secondaryKind)
        .arg(part.secondaryUnit)
        .arg(part.secondaryNominal);
}

bool holdsUndefinedByte(const PartRecord& part)
{
    const QChar undefined(QChar::ReplacementCharacter);
    return part.name.contains(undefined) || part.primaryTolerance.contains(undefined)
        || part.primaryNominal.contains(undefined) || part.secondaryTolerance.contains(undefined)
        || part.secondaryNominal.contains(undefined);
}

// What the program writes of a part reads back as the same part (a byte the code page
// leaves undefined was read as U+FFFD and is written as "?"), and what it wrote once it
// writes again byte for byte.
void requireSurvivesWriting(const PartRecord& part)
{
    const QByteArray written = recording::EncodePartRecord(part);
    require(written.size() == PartRecord::Size, "a part is written as 72 bytes");
    const PartRecord readBack = recording::DecodePartRecord(written);
    require(holdsUndefinedByte(part) || readBack == part, "a part read from a file reads back as itself once written",
            [&] { return partText(part) + QStringLiteral(" came back as ") + partText(readBack); });
    require(recording::EncodePartRecord(readBack) == written, "a part written once is written again byte for byte",
            [&] { return fuzz::shown(written); });
}

// The part as it reads once it was stored.
PartRecord stored(const PartRecord& part)
{
    return recording::DecodePartRecord(recording::EncodePartRecord(part));
}

QList<PartRecord> readParts()
{
    const QByteArray before = fuzz::readScratchFile(profilePath());
    const int count = profile_file::ReadPartCount(profilePath());
    const qint64 recordSpace = before.size() - profile_file::HeaderSize;
    require(count >= 0 && (count == 0 || count <= recordSpace / PartRecord::Size),
            "the part count counts only the records the file holds",
            [&] { return QStringLiteral("%1 parts in %2 bytes").arg(count).arg(before.size()); });
    QList<PartRecord> parts;
    for (int number = 1; number <= count; ++number) {
        parts.append(profile_file::LoadPart(profilePath(), number));
        requireSurvivesWriting(parts.last());
    }
    for (const int outside : {0, count + 1}) {
        try {
            profile_file::LoadPart(profilePath(), outside);
            fuzz::propertyFailed("a part the profile does not hold is refused", QString::number(outside));
        } catch (const FileError& refused) {
            require(refused.message().contains(profilePath()), "a refusal names the file",
                    [&] { return refused.message(); });
        }
    }
    require(fuzz::readScratchFile(profilePath()) == before, "reading a profile leaves its file as it was");
    return parts;
}

bool mayApply(Operation operation, int partNumber, qsizetype partCount)
{
    switch (operation) {
    case Operation::Store:
    case Operation::Insert: return partNumber >= 1 && partNumber <= partCount + 1;
    case Operation::Delete: return partNumber >= 1 && partNumber <= partCount;
    case Operation::CopyOntoItself:
    case Operation::Count: break;
    }
    return true;
}

// The parts a file holds after the operation, from those it held before.
QList<PartRecord> expectedParts(Operation operation, int partNumber, QList<PartRecord> parts, const PartRecord& part)
{
    const qsizetype index = partNumber - 1;
    switch (operation) {
    case Operation::Store:
        if (index == parts.size())
            parts.append(stored(part));
        else
            parts[index] = stored(part);
        break;
    case Operation::Insert: parts.insert(index, stored(part)); break;
    case Operation::Delete: parts.removeAt(index); break;
    case Operation::CopyOntoItself:
    case Operation::Count: break;
    }
    return parts;
}

void apply(Operation operation, int partNumber, const PartRecord& part)
{
    switch (operation) {
    case Operation::Store: profile_file::StorePart(profilePath(), partNumber, part); break;
    case Operation::Insert: profile_file::InsertPart(profilePath(), partNumber, part); break;
    case Operation::Delete: profile_file::DeletePart(profilePath(), partNumber); break;
    case Operation::CopyOntoItself: profile_file::CopyProfile(profilePath(), profilePath()); break;
    case Operation::Count: break;
    }
}

const char* nameOf(Operation operation)
{
    switch (operation) {
    case Operation::Store: return "store";
    case Operation::Insert: return "insert";
    case Operation::Delete: return "delete";
    case Operation::CopyOntoItself: return "copy onto itself";
    case Operation::Count: break;
    }
    return "";
}

// Returns the parts the file holds afterwards.
QList<PartRecord> run(Operation operation, int partNumber, const PartRecord& part, const QList<PartRecord>& partsBefore)
{
    const QByteArray before = fuzz::readScratchFile(profilePath());
    const auto what = [&] {
        return QStringLiteral("%1 part %2").arg(QString::fromLatin1(nameOf(operation))).arg(partNumber);
    };
    try {
        apply(operation, partNumber, part);
    } catch (const FileError& refused) {
        require(!mayApply(operation, partNumber, partsBefore.size()),
                "an operation on a part the profile may take is done",
                [&] { return what() + QStringLiteral(": ") + refused.message(); });
        require(fuzz::readScratchFile(profilePath()) == before, "a profile refused leaves the file untouched", what);
        return partsBefore;
    }
    require(mayApply(operation, partNumber, partsBefore.size()), "an operation on a part the profile lacks is refused",
            what);
    const QList<PartRecord> partsAfter = readParts();
    require(partsAfter == expectedParts(operation, partNumber, partsBefore, part),
            "an operation changes the parts as it promises and no others", what);
    if (operation == Operation::Delete || operation == Operation::CopyOntoItself)
        require(fuzz::readScratchFile(profilePath()).size() == before.size(), "the file keeps its length", what);
    if (operation == Operation::CopyOntoItself)
        require(fuzz::readScratchFile(profilePath()) == before, "copying a profile onto itself leaves it as it was");
    return partsAfter;
}

// A part as the profile box makes one, with texts in the file's code page.
PartRecord boxPart()
{
    PartRecord part;
    part.name = QStringLiteral("Конд 4,7н");
    part.startPosition = 7;
    part.primaryTolerance = QStringLiteral("0,5%");
    part.primaryKind = 2;
    part.primaryUnit = 1;
    part.primaryNominal = QStringLiteral("4,7");
    part.secondaryTolerance = recording::StoredToleranceOff;
    part.secondaryKind = 2;
    part.secondaryNominal = QStringLiteral("0,001");
    part.settings = {1, 4, 0, 2, 1, 3, 0, 1, 1, 0, 2, 0, 0, 1, 0};
    return part;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView input(data, qsizetype(size));
    if (input.isEmpty())
        return -1;
    const int operations = quint8(input[kOperationCountAt]) % (kMostOperations + 1);
    const qsizetype fileAt = 1 + operations * kOperationSize;
    if (input.size() < fileAt)
        return -1;
    fuzz::writeScratchFile(profilePath(), input.sliced(fileAt).toByteArray());

    // The part to store: the file's first, as a profile read elsewhere brings it, or one
    // the box made.
    QList<PartRecord> parts = readParts();
    const PartRecord part = parts.isEmpty() ? boxPart() : parts.first();
    for (int index = 0; index < operations; ++index) {
        const qsizetype at = 1 + index * kOperationSize;
        const auto operation = Operation(quint8(input[at]) % int(Operation::Count));
        const int partNumber = qint8(input[at + 1]);
        parts = run(operation, partNumber, part, parts);
    }

    profile_file::CopyProfile(profilePath(), copyPath());
    require(fuzz::readScratchFile(copyPath()) == fuzz::readScratchFile(profilePath()),
            "a copied profile holds the same bytes");
    return 0;
}
