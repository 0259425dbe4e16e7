#include "recording/reading_values.h"

#include "meter/quantity_format.h"
#include "meter/reactance.h"
#include "meter/settings_indicators.h"

#include <cmath>

namespace recording {
namespace {

// A number the display cannot show as one (an infinite ratio, say) is an overload too.
MeasuredValue measured(double value, bool overload)
{
    return {value, overload || !std::isfinite(value)};
}

std::optional<MeasuredValue> primaryOf(const meter::TMeterSettings& settings, const meter::RlcdReading& r)
{
    const bool series = settings.SerPer == 1;
    const double resistance = series ? r.SerR : r.ParR;
    const double reactance = series ? r.SerX : r.ParX;
    // L and C carry the sign the display puts before them.
    const double sign = settings.Negative == 1 ? -1 : 1;
    switch (settings.primaryParameter()) {
    case meter::PrimaryParameter::Resistance: return measured(resistance, meter::IsResistanceOverload(resistance));
    case meter::PrimaryParameter::Impedance: return measured(r.Z, meter::IsResistanceOverload(r.Z));
    case meter::PrimaryParameter::Inductance: {
        const double henry = meter::InductanceFromReactance(reactance, r.TestFreqHz);
        return measured(sign * henry, meter::IsInductanceOverload(henry));
    }
    case meter::PrimaryParameter::Capacitance: {
        const double farad = meter::CapacitanceFromReactance(reactance, r.TestFreqHz);
        return measured(sign * farad, meter::IsCapacitanceOverload(farad));
    }
    case meter::PrimaryParameter::None: break;
    }
    return std::nullopt;
}

std::optional<MeasuredValue> secondaryOf(const meter::TMeterSettings& settings, const meter::RlcdReading& r)
{
    switch (settings.secondaryParameter()) {
    case meter::SecondaryParameter::Resistance: {
        const double resistance = settings.SerPer == 1 ? r.SerR : r.ParR;
        return measured(resistance, meter::IsResistanceOverload(resistance));
    }
    case meter::SecondaryParameter::Quality: return measured(r.Q, false);
    case meter::SecondaryParameter::Dissipation: return measured(r.D, false);
    case meter::SecondaryParameter::PhaseAngle: return measured(r.Theta, false);
    case meter::SecondaryParameter::None: break;
    }
    return std::nullopt;
}

} // namespace

ReadingValues ValuesOfReading(const meter::TMeterSettings& settings, const meter::RlcdReading& reading)
{
    ReadingValues values;
    values.primaryKind = settings.primaryParameter();
    values.primary = primaryOf(settings, reading);
    values.secondaryKind = settings.secondaryParameter();
    values.secondary = secondaryOf(settings, reading);
    values.series = settings.SerPer == 1;
    if (meter::HasTestFrequency(settings.FreqIndex))
        values.frequencyHz = reading.TestFreqHz;
    if (const auto level = meter::TestLevelOf(settings.LevelIndex))
        values.levelV = level->volts;
    return values;
}

QString UnitSymbol(meter::PrimaryParameter kind)
{
    switch (kind) {
    case meter::PrimaryParameter::Resistance:
    case meter::PrimaryParameter::Impedance: return QStringLiteral("\u03A9");
    case meter::PrimaryParameter::Inductance: return QStringLiteral("H");
    case meter::PrimaryParameter::Capacitance: return QStringLiteral("F");
    case meter::PrimaryParameter::None: break;
    }
    return {};
}

QString UnitSymbol(meter::SecondaryParameter kind)
{
    switch (kind) {
    case meter::SecondaryParameter::Resistance: return QStringLiteral("\u03A9");
    case meter::SecondaryParameter::PhaseAngle: return QStringLiteral("\u00B0");
    case meter::SecondaryParameter::Quality:
    case meter::SecondaryParameter::Dissipation:
    case meter::SecondaryParameter::None: break;
    }
    return {};
}

} // namespace recording
