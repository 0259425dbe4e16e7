#include "sim/component_model.h"

#include <cmath>
#include <numbers>

namespace sim {
namespace {

constexpr double kResistorLeadInductanceHenry = 20e-9;
constexpr double kSeriesCircuitLimitOhm = 1000; // above this the meter prefers parallel
constexpr double kRdTestVolts = 1.3;
constexpr double kRdSourceOhm = 100;
constexpr double kOpenCircuitOhm = 2e8;
constexpr double kDiodeDropMillivolts = 650;
constexpr double kDiodeForwardMicroamps = 1000;
constexpr double kDiodeLeakageMicroamps = 0.05;
constexpr uint8_t kRdAutoRange = 0, kRdDiodeRange = 1;

double omega(int testFrequencyHz)
{
    return 2 * std::numbers::pi * testFrequencyHz;
}

uint8_t primaryKindFor(ComponentKind kind)
{
    switch (kind) {
    case ComponentKind::Capacitor: return kPrimC;
    case ComponentKind::Inductor: return kPrimL;
    default: return kPrimR;
    }
}

uint8_t secondaryKindFor(ComponentKind kind)
{
    return kind == ComponentKind::Capacitor ? kSecD : kSecQ;
}

// Large capacitors and inductors are measured at 1 kHz, everything else at 10 kHz.
uint8_t frequencyIndexFor(const Component& component)
{
    const bool large = (component.kind == ComponentKind::Capacitor && component.value >= 10e-6)
        || (component.kind == ComponentKind::Inductor && component.value >= 10e-3);
    return large ? 3 : 4;
}

} // namespace

Component defaultComponent(ComponentKind kind)
{
    switch (kind) {
    case ComponentKind::Capacitor: return {kind, 1e-6, 0.05};
    case ComponentKind::Inductor: return {kind, 100e-6, 0.4};
    default: return {kind, 4700, 0};
    }
}

RlcdReading measureImpedance(const Component& component, int testFrequencyHz)
{
    const double w = omega(testFrequencyHz);
    switch (component.kind) {
    case ComponentKind::Capacitor: return {component.seriesResistance, -1 / (w * component.value)};
    case ComponentKind::Inductor: return {component.seriesResistance, w * component.value};
    default: return {component.value, w * kResistorLeadInductanceHenry};
    }
}

MeterSettings resolveAutomaticChoices(MeterSettings settings, const Component& component)
{
    if (settings.FreqAuto)
        settings.FreqIndex = frequencyIndexFor(component);
    if (settings.PrimAuto)
        settings.PrimKind = primaryKindFor(component.kind);
    if (settings.SecAuto)
        settings.SecKind = secondaryKindFor(component.kind);
    if (settings.LevelAuto)
        settings.LevelIndex = 1;
    if (settings.SerPerAuto) {
        const RlcdReading z = measureImpedance(component, testFrequencyHz(settings.FreqIndex));
        settings.SerPer = std::hypot(z.rs, z.xs) <= kSeriesCircuitLimitOhm ? 1 : 0;
    }
    return settings;
}

void markNegative(MeterSettings& reported, const RlcdReading& reading)
{
    const bool contradicts =
        (reported.PrimKind == kPrimC && reading.xs > 0) || (reported.PrimKind == kPrimL && reading.xs < 0);
    reported.Negative = contradicts ? 1 : 0;
}

RdReading measureRd(RdSubject subject, const Component& component)
{
    if (subject != RdSubject::Component) {
        const auto picture = subject == RdSubject::DiodeForward ? RdPicture::DiodeForward : RdPicture::DiodeReverse;
        return {kDiodeDropMillivolts, kDiodeForwardMicroamps, kDiodeLeakageMicroamps, true, picture, kRdDiodeRange};
    }
    const double ohms = component.kind == ComponentKind::Resistor ? component.value
        : component.kind == ComponentKind::Inductor               ? component.seriesResistance
                                                                  : kOpenCircuitOhm;
    const double microamps = kRdTestVolts / (ohms + kRdSourceOhm) * 1e6;
    return {ohms, microamps, 0, false, RdPicture::Resistor, kRdAutoRange};
}

UReading measureVoltage(const VoltageSource& source)
{
    const double ripple = source.rippleAmplitudeVolts;
    return {std::sqrt(source.dcVolts * source.dcVolts + ripple * ripple / 2), 2 * ripple, source.dcVolts};
}

} // namespace sim
