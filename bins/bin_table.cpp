#include "bins/bin_table.h"

#include "recording/reference_kind.h"
#include "recording/tolerance.h"

namespace bins {
namespace {

// The reading in the bin's mode; none where it cannot be computed.
std::optional<double> inMode(RangeMode mode, double value, const recording::PrimaryReferenceValue& reference)
{
    switch (mode) {
    case RangeMode::Percent: return recording::PrimaryDeviationPercent(reference, value);
    case RangeMode::Deviation:
        if (!reference.nominal)
            return std::nullopt;
        return value - *reference.nominal;
    case RangeMode::Absolute: return value;
    }
    return std::nullopt;
}

bool holds(std::optional<double> low, std::optional<double> high, double value)
{
    return (!low || *low <= value) && (!high || value <= *high);
}

bool secondaryHolds(const BinRange& bin, const std::optional<recording::MeasuredValue>& secondary)
{
    if (!bin.secondaryLow && !bin.secondaryHigh)
        return true;
    return secondary && !secondary->overload && holds(bin.secondaryLow, bin.secondaryHigh, secondary->value);
}

} // namespace

Bin SortReading(const BinTable& table, const recording::ReadingValues& reading,
                const recording::PrimaryReferenceValue& reference)
{
    const auto& primary = reading.primary;
    if (!primary || primary->overload || recording::ReferenceKindOf(reading.primaryKind) != reference.kind)
        return Bin::Out;
    const BinRange* first = nullptr;
    for (const BinRange& bin : table.bins) {
        const auto value = inMode(bin.mode, primary->value, reference);
        if (value && holds(bin.low, bin.high, *value) && (!first || bin.number < first->number))
            first = &bin;
    }
    if (!first)
        return Bin::Out;
    if (secondaryHolds(*first, reading.secondary))
        return NumberedBin(first->number);
    return table.aux ? Bin::Aux : Bin::Out;
}

} // namespace bins
