#pragma once
#include "meter/measured_parameters.h"
#include "meter/meter_settings.h"
#include "meter/rlcd_decoder.h"

#include <QString>

#include <optional>

namespace recording {

// One value of a reading in SI units. Past the meter's range the display shows an overload
// text; the number behind it means nothing and is never written anywhere.
struct MeasuredValue {
    double value = 0;
    bool overload = false;
    bool operator==(const MeasuredValue&) const = default;
};

// An RLCD reading as numbers, exactly what the display shows: the primary value signed as
// shown (R and |Z| in ohm, L in henry, C in farad), the secondary value (R in ohm, Q and D
// plain, θ in degrees), the circuit, the test frequency (none where the meter does not say
// it) and the test level in volts.
struct ReadingValues {
    meter::PrimaryParameter primaryKind = meter::PrimaryParameter::None;
    std::optional<MeasuredValue> primary; // none while the meter names no primary
    meter::SecondaryParameter secondaryKind = meter::SecondaryParameter::None;
    std::optional<MeasuredValue> secondary; // none while it shows no secondary
    bool series = false;
    std::optional<int> frequencyHz;
    std::optional<double> levelV;
    bool operator==(const ReadingValues&) const = default;
};

ReadingValues ValuesOfReading(const meter::TMeterSettings& settings, const meter::RlcdReading& reading);

// The SI symbol of a value of this kind: "Ω", "H", "F", "°"; empty for Q, D and None.
QString UnitSymbol(meter::PrimaryParameter kind);
QString UnitSymbol(meter::SecondaryParameter kind);

} // namespace recording
