#pragma once
#include "recording/reference.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

namespace recording {

// The meter's settings record as it travels through a profile file: its 15 one-byte
// fields in their order (FreqAuto, FreqIndex, PrimAuto, PrimKind, SecAuto, SecKind,
// LevelAuto, LevelIndex, SerPerAuto, SerPer, IntervalCode, Hold, Negative, Sound, reserved).
using StoredSettings = std::array<quint8, 15>;

namespace settings_byte {
constexpr std::size_t FreqAuto = 0, FreqIndex = 1, LevelAuto = 6, LevelIndex = 7, SerPerAuto = 8, SerPer = 9,
                      IntervalCode = 10;
}

// A tolerance box that is off is stored as this text, whatever the box reads in the
// current language.
inline const QString StoredToleranceOff = QStringLiteral("OFF");

// One part of a profile: name, start position, primary and secondary reference and the
// meter settings to measure it with. Texts longer than their field are cut when encoded
// (name and nominals to 10 characters, tolerances to 5).
struct PartRecord {
    static constexpr int Size = 72;

    QString name;
    qint32 startPosition = 1;
    QString primaryTolerance; // StoredToleranceOff or the box's text
    quint8 primaryKind = 0;   // a ReferenceKind: 0 R, 1 L, 2 C
    quint8 primaryUnit = 0;
    QString primaryNominal;
    QString secondaryTolerance;
    quint8 secondaryKind = 0; // a SecondaryReferenceKind: 0 R, 1 Q, 2 D
    quint8 secondaryUnit = 0; // 0 unless the secondary kind is R
    QString secondaryNominal;
    StoredSettings settings{};

    bool operator==(const PartRecord&) const = default;
};

// The text a tolerance is stored with (none when its box is off), and the tolerance a
// stored text stands for.
QString StoredToleranceText(const std::optional<QString>& tolerance);
std::optional<QString> ToleranceOfStored(const QString& storedText);

// The part's primary and secondary reference, as the reference box holds them once the
// part is shown in it.
Reference ReferenceOfPart(const PartRecord& part);

// 72 bytes: texts as a length byte and Windows-1251 bytes ("?" for a character the code
// page lacks), integers little-endian, unused bytes zero.
QByteArray EncodePartRecord(const PartRecord& record);
// Reads 72 bytes. A length byte larger than its field (a foreign file) is limited to the
// field, so a text never takes bytes of the next field.
PartRecord DecodePartRecord(const QByteArray& bytes);

} // namespace recording
