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

} // namespace recording
