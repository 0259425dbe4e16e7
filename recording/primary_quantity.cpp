#include "recording/primary_quantity.h"

#include "meter/reactance.h"

#include <cmath>

namespace recording {

std::optional<PrimaryQuantity> DisplayedPrimary(const meter::TMeterSettings& settings,
                                                const meter::RlcdReading& reading, qint32 testFreqHz)
{
    const bool series = settings.SerPer == 1;
    const double resistance = series ? reading.SerR : reading.ParR;
    const double reactance = series ? reading.SerX : reading.ParX;
    const double hertz = testFreqHz > 0 ? testFreqHz : meter::kFallbackTestFreqHz;
    const meter::PrimaryParameter parameter = settings.primaryParameter();
    const auto quantity = [parameter](double value) {
        return PrimaryQuantity{parameter, value, ReferenceKindOf(parameter)};
    };
    switch (parameter) {
    case meter::PrimaryParameter::Resistance: return quantity(resistance);
    case meter::PrimaryParameter::Capacitance: return quantity(meter::CapacitanceFromReactance(reactance, hertz));
    case meter::PrimaryParameter::Inductance: return quantity(meter::InductanceFromReactance(reactance, hertz));
    case meter::PrimaryParameter::Impedance: return quantity(std::hypot(reading.SerR, reading.SerX));
    case meter::PrimaryParameter::None: break;
    }
    return std::nullopt;
}

} // namespace recording
