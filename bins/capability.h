#pragma once
#include "recording/reference.h"

#include <optional>

namespace bins {

// The limits a lot is held to: the verdict's own, as the primary tolerance band gives them
// in the part's unit (for C within t %: nominal/(1+t) and nominal/(1-t)). A one-sided
// tolerance (">" or "<") gives one limit, a tolerance that is off or cannot be read none.
struct SpecificationLimits {
    std::optional<double> lsl, usl;
    bool operator==(const SpecificationLimits&) const = default;
};
SpecificationLimits LimitsOf(const recording::PrimaryReferenceValue& reference);

// A pair of capability indices for one estimate of σ: with the overall sample σ they are
// Pp and Ppk, with the within σ Cp and Cpk.
//   spread  = (USL - LSL) / 6σ, only with both limits;
//   centred = min(USL - mean, mean - LSL) / 3σ, from the side(s) that have a limit.
// Both are none without σ or with σ = 0 (never infinite), and a negative index (a mean
// beyond a limit) is given as it is.
struct CapabilityIndices {
    std::optional<double> spread, centred;
};
CapabilityIndices Capability(const SpecificationLimits& limits, double mean, std::optional<double> sigma);

// The within σ of individual readings from their average moving range (the mean of
// |x[i] - x[i-1]| over consecutive readings): MR / d2, where d2 = 1.128 for ranges of two.
double WithinSigma(double averageMovingRange);

} // namespace bins
