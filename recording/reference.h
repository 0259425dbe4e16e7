#pragma once
#include "recording/reference_kind.h"

#include <QString>

#include <optional>

namespace recording {

// One half of the reference box as the user filled it in: the kind, the item of the unit
// box that goes with the kind, the nominal value, and the tolerance as typed, chosen or
// stored, none when the box is off. Off is the box's state, never a text: its "off" item
// reads differently in each language.
template <typename Kind> struct ReferenceEntry {
    Kind kind{};
    int unitIndex = 0;
    QString nominalText;
    std::optional<QString> tolerance;
};

using PrimaryReference = ReferenceEntry<ReferenceKind>;
// Only a secondary resistance has a unit box; Q and D are plain numbers.
using SecondaryReference = ReferenceEntry<SecondaryReferenceKind>;

struct Reference {
    PrimaryReference primary;
    SecondaryReference secondary;
};

// Factor from a unit box's item to ohm, henry or farad; nullopt for an unknown kind or item.
std::optional<double> UnitFactor(ReferenceKind kind, int unitIndex);

// A tolerance as the judgement applies it: off; a percentage the deviation may not pass;
// "<" (the value may not be above the nominal) or ">" (not below it); any other single
// character, which judges nothing; or a text that is no number.
struct ToleranceRule {
    enum class Kind { Off, Percent, NotAboveNominal, NotBelowNominal, OtherSingleCharacter, Unreadable };
    Kind kind = Kind::Off;
    double percent = 0; // for Percent
    bool isOn() const { return kind != Kind::Off; }
    bool operator==(const ToleranceRule&) const = default;
};

// One half of the reference as numbers, read once from what the user typed: the kind, the
// nominal value in ohm, henry or farad (plain for Q and D), none where the nominal or its
// unit cannot be read, and the tolerance rule.
template <typename Kind> struct ReferenceValue {
    Kind kind{};
    std::optional<double> nominal;
    ToleranceRule tolerance;
    bool operator==(const ReferenceValue&) const = default;
};

using PrimaryReferenceValue = ReferenceValue<ReferenceKind>;
using SecondaryReferenceValue = ReferenceValue<SecondaryReferenceKind>;

struct ReferenceValues {
    PrimaryReferenceValue primary;
    SecondaryReferenceValue secondary;
    bool operator==(const ReferenceValues&) const = default;
};

// The rule of a tolerance, off where there is none.
ToleranceRule ReadToleranceRule(const std::optional<QString>& tolerance);
PrimaryReferenceValue ReadPrimaryReference(const PrimaryReference& entry);
SecondaryReferenceValue ReadSecondaryReference(const SecondaryReference& entry);
ReferenceValues ReadReference(const Reference& entries);

} // namespace recording
