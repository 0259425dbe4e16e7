#include "bins/capability.h"

#include "recording/primary_band.h"

#include <algorithm>

namespace bins {
namespace {

// d2 for subgroups of two: the expected range of two normal readings in units of σ.
constexpr double kMovingRangeOfTwoPerSigma = 1.128;
// A lot spans ±3σ around its mean: six σ in all.
constexpr double kSigmasToALimit = 3;

} // namespace

SpecificationLimits LimitsOf(const recording::PrimaryReferenceValue& reference)
{
    const auto band = recording::PrimaryToleranceBand(reference);
    if (!band)
        return {};
    return {band->lower, band->upper};
}

CapabilityIndices Capability(const SpecificationLimits& limits, double mean, std::optional<double> sigma)
{
    if (!sigma || *sigma <= 0)
        return {};
    CapabilityIndices indices;
    if (limits.lsl && limits.usl)
        indices.spread = (*limits.usl - *limits.lsl) / (2 * kSigmasToALimit * *sigma);
    std::optional<double> nearest;
    const auto consider = [&nearest](double distance) { nearest = nearest ? std::min(*nearest, distance) : distance; };
    if (limits.usl)
        consider(*limits.usl - mean);
    if (limits.lsl)
        consider(mean - *limits.lsl);
    if (nearest)
        indices.centred = *nearest / (kSigmasToALimit * *sigma);
    return indices;
}

double WithinSigma(double averageMovingRange)
{
    return averageMovingRange / kMovingRangeOfTwoPerSigma;
}

} // namespace bins
