#pragma once
#include "meter/meter_settings.h"
#include "meter/rlcd_decoder.h"
#include "recording/reference_kind.h"

#include <optional>

namespace recording {

// The primary parameter of a reading as the display shows it, as a number: R and |Z| in
// ohm, L in henry, C in farad.
struct PrimaryQuantity {
    meter::PrimaryParameter parameter = meter::PrimaryParameter::None;
    double value = 0;
    std::optional<ReferenceKind> referenceKind; // the reference that judges the same quantity
};

// R, L and C come from the circuit the settings choose, |Z| always from the series values.
// L and C convert with testFreqHz, or with the fallback frequency while it is 0. nullopt
// while the settings name no primary parameter.
std::optional<PrimaryQuantity> DisplayedPrimary(const meter::TMeterSettings& settings,
                                                const meter::RlcdReading& reading, qint32 testFreqHz);

} // namespace recording
