#include "recording/primary_band.h"

namespace recording {

std::optional<PrimaryBand> PrimaryToleranceBand(const PrimaryReferenceValue& reference)
{
    using Kind = ToleranceRule::Kind;
    const ToleranceRule& tolerance = reference.tolerance;
    if (!reference.nominal || *reference.nominal <= 0)
        return std::nullopt;
    PrimaryBand band;
    band.nominal = *reference.nominal;
    switch (tolerance.kind) {
    case Kind::NotBelowNominal: band.lower = band.nominal; return band;
    case Kind::NotAboveNominal: band.upper = band.nominal; return band;
    case Kind::Percent: break;
    case Kind::Off:
    case Kind::OtherSingleCharacter:
    case Kind::Unreadable: return std::nullopt;
    }
    if (tolerance.percent < 0)
        return std::nullopt;
    const double fraction = tolerance.percent / 100;
    if (reference.kind == ReferenceKind::Capacitance) {
        band.lower = band.nominal / (1 + fraction);
        if (fraction < 1)
            band.upper = band.nominal / (1 - fraction);
    } else {
        band.lower = band.nominal * (1 - fraction);
        band.upper = band.nominal * (1 + fraction);
    }
    return band;
}

PrimaryReferenceColumns ReferenceColumnsOf(const PrimaryReferenceValue& reference)
{
    const std::optional<PrimaryBand> band = PrimaryToleranceBand(reference);
    return {reference.tolerance.isOn() ? reference.nominal : std::nullopt, band ? band->lower : std::nullopt,
            band ? band->upper : std::nullopt};
}

} // namespace recording
