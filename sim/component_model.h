#pragma once
#include "sim/meter_readings.h"
#include "sim/sim_settings.h"

namespace sim {

enum class ComponentKind { Resistor, Capacitor, Inductor };

// The part on the meter's test leads: its nominal value (ohm, farad or henry) and its
// series loss resistance (ohm; unused for a resistor).
struct Component {
    ComponentKind kind = ComponentKind::Resistor;
    double value = 4700;
    double seriesResistance = 0;
};

Component defaultComponent(ComponentKind kind);

// Series resistance and signed series reactance at the given test frequency.
RlcdReading measureImpedance(const Component& component, int testFrequencyHz);

// What the meter reports for the stored settings: every automatic choice replaced by the
// concrete kind that suits the component, with its automatic flag kept, and the sign flag
// set when the chosen L or C primary contradicts the sign of the reactance.
MeterSettings resolveAutomaticChoices(MeterSettings settings, const Component& component);
void markNegative(MeterSettings& reported, const RlcdReading& reading);

// What the resistance and diode test shows for the component (its resistance at DC) or
// for a diode in either orientation.
enum class RdSubject { Component, DiodeForward, DiodeReverse };
RdReading measureRd(RdSubject subject, const Component& component);

// A DC voltage with a sine ripple on top, as the voltage mode sees it.
struct VoltageSource {
    double dcVolts = 1.5;
    double rippleAmplitudeVolts = 0.01;
};
UReading measureVoltage(const VoltageSource& source);

} // namespace sim
