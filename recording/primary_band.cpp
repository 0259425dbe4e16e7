#include "recording/primary_band.h"

#include "recording/decimal_text.h"
#include "recording/tolerance.h"

namespace recording {

std::optional<PrimaryBand> PrimaryToleranceBand(const PrimaryReference& reference)
{
    if (!IsToleranceOn(reference.toleranceText, reference.offText))
        return std::nullopt;
    const auto nominal = ParseDecimal(reference.nominalText);
    const auto factor = UnitFactor(reference.kind, reference.unitIndex);
    if (!nominal || !factor || *nominal <= 0)
        return std::nullopt;
    PrimaryBand band;
    band.nominal = *nominal * *factor;
    const QString t = reference.toleranceText.left(8);
    if (t == u">") {
        band.lower = band.nominal;
        return band;
    }
    if (t == u"<") {
        band.upper = band.nominal;
        return band;
    }
    QString number = t;
    if (number.endsWith(u'%'))
        number.chop(1);
    const auto percent = ParseDecimal(number);
    if (!percent || *percent < 0)
        return std::nullopt;
    const double fraction = *percent / 100;
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

} // namespace recording
