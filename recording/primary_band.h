#pragma once
#include "recording/reference.h"

#include <optional>

namespace recording {

// The primary reference as a value band of the reference's own quantity (ohm, henry or
// farad), for drawing beside the readings. A percentage gives both limits, ">" only the
// lower and "<" only the upper one. Capacitance tolerances are judged on reactance, so
// their band is not symmetric: C within t % means Cnominal/(1+t) ≤ C ≤ Cnominal/(1−t).
struct PrimaryBand {
    double nominal = 0;
    std::optional<double> lower;
    std::optional<double> upper;
};

// nullopt while the tolerance is off or the nominal or tolerance cannot be read.
std::optional<PrimaryBand> PrimaryToleranceBand(const PrimaryReferenceValue& reference);

// The primary reference as the records beside each reading keep it (the database and the
// journal alike): the nominal while the primary tolerance is on, and the verdict's lower and
// upper limits; each none where there is none.
struct PrimaryReferenceColumns {
    std::optional<double> nominal, lsl, usl;
};
PrimaryReferenceColumns ReferenceColumnsOf(const PrimaryReferenceValue& reference);

} // namespace recording
