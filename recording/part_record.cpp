#include "recording/part_record.h"

#include "localisation/ansi_codepage.h"
#include "recording/binary_file.h"

#include <algorithm>

namespace recording {
namespace {

struct TextField {
    int offset;
    int capacity;
};

constexpr TextField NameField{0, 10};
constexpr int StartPositionOffset = 12;
constexpr TextField PrimaryToleranceField{16, 5};
constexpr int PrimaryKindOffset = 22;
constexpr int PrimaryUnitOffset = 23;
constexpr TextField PrimaryNominalField{24, 10};
constexpr TextField SecondaryToleranceField{35, 5};
constexpr int SecondaryKindOffset = 41;
constexpr int SecondaryUnitOffset = 42;
constexpr TextField SecondaryNominalField{43, 10};
constexpr int SettingsOffset = 54;

void putText(QByteArray& record, TextField field, const QString& text)
{
    const QByteArray bytes = localisation::toAnsi(text).left(field.capacity);
    record[field.offset] = char(bytes.size());
    record.replace(field.offset + 1, bytes.size(), bytes);
}

QString takeText(const QByteArray& record, TextField field)
{
    const int length = std::min(int(quint8(record[field.offset])), field.capacity);
    return localisation::fromAnsi(record.mid(field.offset + 1, length));
}

} // namespace

QString StoredToleranceText(const std::optional<QString>& tolerance)
{
    return tolerance ? *tolerance : StoredToleranceOff;
}

std::optional<QString> ToleranceOfStored(const QString& storedText)
{
    if (storedText == StoredToleranceOff)
        return std::nullopt;
    return storedText;
}

// Only a secondary resistance has a unit; the unit byte of Q and D means nothing.
Reference ReferenceOfPart(const PartRecord& part)
{
    const auto secondaryKind = SecondaryReferenceKind(part.secondaryKind);
    const int secondaryUnit = secondaryKind == SecondaryReferenceKind::Resistance ? part.secondaryUnit : 0;
    Reference reference;
    reference.primary = {ReferenceKind(part.primaryKind), part.primaryUnit, part.primaryNominal,
                         ToleranceOfStored(part.primaryTolerance)};
    reference.secondary = {secondaryKind, secondaryUnit, part.secondaryNominal,
                           ToleranceOfStored(part.secondaryTolerance)};
    return reference;
}

QByteArray EncodePartRecord(const PartRecord& r)
{
    QByteArray bytes(PartRecord::Size, '\0');
    putText(bytes, NameField, r.name);
    bytes.replace(StartPositionOffset, 4, EncodeInt32(r.startPosition));
    putText(bytes, PrimaryToleranceField, r.primaryTolerance);
    bytes[PrimaryKindOffset] = char(r.primaryKind);
    bytes[PrimaryUnitOffset] = char(r.primaryUnit);
    putText(bytes, PrimaryNominalField, r.primaryNominal);
    putText(bytes, SecondaryToleranceField, r.secondaryTolerance);
    bytes[SecondaryKindOffset] = char(r.secondaryKind);
    bytes[SecondaryUnitOffset] = char(r.secondaryUnit);
    putText(bytes, SecondaryNominalField, r.secondaryNominal);
    for (std::size_t i = 0; i < r.settings.size(); ++i)
        bytes[SettingsOffset + int(i)] = char(r.settings[i]);
    return bytes;
}

PartRecord DecodePartRecord(const QByteArray& bytes)
{
    Q_ASSERT(bytes.size() == PartRecord::Size);
    PartRecord r;
    r.name = takeText(bytes, NameField);
    r.startPosition = DecodeInt32(bytes, StartPositionOffset);
    r.primaryTolerance = takeText(bytes, PrimaryToleranceField);
    r.primaryKind = quint8(bytes[PrimaryKindOffset]);
    r.primaryUnit = quint8(bytes[PrimaryUnitOffset]);
    r.primaryNominal = takeText(bytes, PrimaryNominalField);
    r.secondaryTolerance = takeText(bytes, SecondaryToleranceField);
    r.secondaryKind = quint8(bytes[SecondaryKindOffset]);
    r.secondaryUnit = quint8(bytes[SecondaryUnitOffset]);
    r.secondaryNominal = takeText(bytes, SecondaryNominalField);
    for (std::size_t i = 0; i < r.settings.size(); ++i)
        r.settings[i] = quint8(bytes[SettingsOffset + int(i)]);
    return r;
}

} // namespace recording
