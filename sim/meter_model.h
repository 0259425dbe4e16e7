#pragma once
#include "sim/component_model.h"
#include "sim/sim_command.h"
#include "sim/meter_readings.h"
#include "sim/sim_settings.h"

#include <QByteArray>
#include <optional>
#include <random>

namespace sim {

// The meter itself, without any wire: its settings, mode and brightness as commands set
// them, the component on its leads, and the frames it reports.
class MeterModel {
public:
    const MeterSettings& settings() const { return m_settings; }
    MeterMode mode() const { return m_mode; }
    bool brightnessPressed() const { return m_brightnessPressed; }
    int reportIntervalMs() const;

    void setComponent(const Component& component) { m_component = component; }
    const Component& component() const { return m_component; }
    void setRdSubject(RdSubject subject) { m_rdSubject = subject; }
    void setVoltageSource(const VoltageSource& source) { m_voltage = source; }
    void setMode(MeterMode mode) { m_mode = mode; }

    // Relative noise (0 = none) on every reading, from a generator seeded for repeatable runs.
    void setNoise(double relativeAmplitude, unsigned seed);

    // Exact values for the next frame of that mode, instead of the model's. An impedance
    // reading waits while the meter holds.
    void setNextReading(const RlcdReading& reading) { m_nextRlcd = reading; }
    void setNextReading(const RdReading& reading) { m_nextRd = reading; }
    void setNextReading(const UReading& reading) { m_nextU = reading; }

    // Settings or mode change; either also carries the brightness button's state.
    void applyCommand(const MeterCommand& command);

    // The next frame of the current mode.
    QByteArray nextFrame();

private:
    QByteArray nextRlcdFrame();
    RlcdReading freshRlcdReading(int testFrequencyHz);
    double noisy(double value);

    MeterSettings m_settings;
    MeterMode m_mode = MeterMode::Rlcd;
    bool m_brightnessPressed = true;
    Component m_component = defaultComponent(ComponentKind::Resistor);
    RdSubject m_rdSubject = RdSubject::Component;
    VoltageSource m_voltage;

    double m_noise = 0;
    std::mt19937 m_random;

    std::optional<RlcdReading> m_nextRlcd;
    std::optional<RdReading> m_nextRd;
    std::optional<UReading> m_nextU;
    std::optional<RlcdReading> m_lastRlcd;
    std::optional<RlcdReading> m_held;
};

} // namespace sim
