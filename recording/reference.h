#pragma once
#include "recording/reference_kind.h"

#include <QString>

#include <optional>

namespace recording {

// One half of the reference box as the user filled it in: the kind, the item of the unit
// box that goes with the kind, the nominal value and the tolerance as typed or chosen, and
// the tolerance list's "off" item in the current language.
template <typename Kind>
struct ReferenceEntry {
    Kind kind{};
    int unitIndex = 0;
    QString nominalText;
    QString toleranceText;
    QString offText;
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

} // namespace recording
