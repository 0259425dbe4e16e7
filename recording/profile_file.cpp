#include "recording/profile_file.h"

#include "recording/binary_file.h"
#include "recording/file_error.h"

#include <QFileInfo>
#include <algorithm>

namespace recording::profile_file {
namespace {

int heldRecords(qint64 fileSize)
{
    return fileSize < HeaderSize ? 0 : int(std::min<qint64>((fileSize - HeaderSize) / PartRecord::Size, INT_MAX));
}

int partCountOf(BinaryFile& file)
{
    const QByteArray countBytes = file.readUpTo(0, 4);
    const int stored = countBytes.size() == 4 ? DecodeInt32(countBytes, 0) : 0;
    return std::clamp(stored, 0, heldRecords(file.size()));
}

[[noreturn]] void refuse(const QString& path, const QString& reason)
{
    throw FileError(QStringLiteral("%1: %2").arg(path, reason));
}

void requirePart(const QString& path, int partNumber, int partCount)
{
    if (partNumber < 1 || partNumber > partCount)
        refuse(path, QStringLiteral("there is no part %1, the profile holds %2 parts").arg(partNumber).arg(partCount));
}

void requireNewOrExistingPart(const QString& path, int partNumber, int partCount)
{
    if (partNumber < 1 || partNumber > partCount + 1)
        refuse(path,
               QStringLiteral("part %1 cannot be stored, the profile holds %2 parts").arg(partNumber).arg(partCount));
}

void writeRecord(BinaryFile& file, int partNumber, const PartRecord& record)
{
    file.writeAt(RecordOffset(partNumber), EncodePartRecord(record));
}

void writeCount(BinaryFile& file, int partCount)
{
    file.writeAt(0, EncodeInt32(partCount));
}

} // namespace

QString PathForChosenName(const QString& chosenName)
{
    return chosenName + Extension;
}

QString ProfileTitle(const QString& profilePath)
{
    const QString fileName = QFileInfo(profilePath).fileName();
    return u' ' + fileName.left(std::max<qsizetype>(fileName.size() - Extension.size(), 0));
}

qint64 RecordOffset(int partNumber)
{
    return HeaderSize + qint64(partNumber - 1) * PartRecord::Size;
}

int ReadPartCount(const QString& path)
{
    BinaryFile file(path, BinaryFile::Mode::ReadOnly);
    return partCountOf(file);
}

PartRecord LoadPart(const QString& path, int partNumber)
{
    BinaryFile file(path, BinaryFile::Mode::ReadOnly);
    requirePart(path, partNumber, partCountOf(file));
    return DecodePartRecord(file.readAt(RecordOffset(partNumber), PartRecord::Size));
}

void WritePartRecord(const QString& path, int partNumber, const PartRecord& record)
{
    BinaryFile file(path, BinaryFile::Mode::ExistingOnly);
    requireNewOrExistingPart(path, partNumber, partCountOf(file));
    writeRecord(file, partNumber, record);
    file.close();
}

int StorePart(const QString& path, int partNumber, const PartRecord& record)
{
    BinaryFile file(path, BinaryFile::Mode::ExistingOnly);
    const int count = partCountOf(file);
    requireNewOrExistingPart(path, partNumber, count);
    writeRecord(file, partNumber, record);
    const int newCount = std::max(count, partNumber);
    if (newCount != count)
        writeCount(file, newCount);
    file.close();
    return newCount;
}

int InsertPart(const QString& path, int partNumber, const PartRecord& record)
{
    BinaryFile file(path, BinaryFile::Mode::ExistingOnly);
    const int count = partCountOf(file);
    requireNewOrExistingPart(path, partNumber, count);
    for (int k = count; k >= partNumber; --k)
        file.writeAt(RecordOffset(k + 1), file.readAt(RecordOffset(k), PartRecord::Size));
    writeRecord(file, partNumber, record);
    writeCount(file, count + 1);
    file.close();
    return count + 1;
}

int DeletePart(const QString& path, int partNumber)
{
    BinaryFile file(path, BinaryFile::Mode::ExistingOnly);
    const int count = partCountOf(file);
    requirePart(path, partNumber, count);
    for (int k = partNumber + 1; k <= count; ++k)
        file.writeAt(RecordOffset(k - 1), file.readAt(RecordOffset(k), PartRecord::Size));
    writeCount(file, count - 1);
    file.close();
    return count - 1;
}

void CreateProfile(const QString& path, const PartRecord& firstPart)
{
    BinaryFile file(path, BinaryFile::Mode::Truncate);
    writeCount(file, 1);
    writeRecord(file, 1, firstPart); // the header's unused bytes become zeros
    file.close();
}

OpenResult OpenOrCreateProfile(const QString& path, const PartRecord& firstPart)
{
    if (!QFileInfo::exists(path)) {
        CreateProfile(path, firstPart);
        return {1, true};
    }
    return {ReadPartCount(path), false};
}

void CopyProfile(const QString& source, const QString& target)
{
    BinaryFile from(source, BinaryFile::Mode::ReadOnly);
    // Read everything before the target is emptied: the target may be the source itself.
    const QByteArray content = from.readAt(0, from.size());
    from.close();
    BinaryFile to(target, BinaryFile::Mode::Truncate);
    to.writeAt(0, content);
    to.close();
}

} // namespace recording::profile_file
