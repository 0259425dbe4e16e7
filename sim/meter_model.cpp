#include "sim/meter_model.h"

#include "sim/frame_encoder.h"
#include "sim/settings_command.h"

namespace sim {

int MeterModel::reportIntervalMs() const
{
    return sim::reportIntervalMs(m_settings.IntervalCode);
}

void MeterModel::setNoise(double relativeAmplitude, unsigned seed)
{
    m_noise = relativeAmplitude;
    m_random.seed(seed);
}

void MeterModel::applyCommand(const MeterCommand& command)
{
    m_brightnessPressed = command.brightnessPressed();
    if (command.isSettings())
        applySettingsCommand(m_settings, command);
    else
        m_mode = *command.mode();
}

QByteArray MeterModel::nextFrame()
{
    switch (m_mode) {
    case MeterMode::Rd: {
        RdReading reading = m_nextRd.value_or(measureRd(m_rdSubject, m_component));
        if (!m_nextRd)
            reading.mainValue = noisy(reading.mainValue);
        m_nextRd.reset();
        return encodeRdFrame(reading, m_brightnessPressed);
    }
    case MeterMode::U: {
        UReading reading = m_nextU.value_or(measureVoltage(m_voltage));
        if (!m_nextU)
            reading = {noisy(reading.rms), noisy(reading.peakToPeak), noisy(reading.main)};
        m_nextU.reset();
        return encodeUFrame(reading, m_brightnessPressed);
    }
    default: return nextRlcdFrame();
    }
}

// A held reading repeats unchanged, with the current settings and the hold bit; the
// reading held is the last one reported before hold came on.
QByteArray MeterModel::nextRlcdFrame()
{
    MeterSettings reported = resolveAutomaticChoices(m_settings, m_component);
    RlcdReading reading;
    if (m_settings.Hold) {
        if (!m_held)
            m_held = m_lastRlcd ? *m_lastRlcd : freshRlcdReading(testFrequencyHz(reported.FreqIndex));
        reading = *m_held;
    } else {
        m_held.reset();
        reading = freshRlcdReading(testFrequencyHz(reported.FreqIndex));
    }
    m_lastRlcd = reading;
    markNegative(reported, reading);
    return encodeRlcdFrame(reading, reported, m_brightnessPressed);
}

RlcdReading MeterModel::freshRlcdReading(int testFrequencyHz)
{
    if (m_nextRlcd) {
        const RlcdReading exact = *m_nextRlcd;
        m_nextRlcd.reset();
        return exact;
    }
    const RlcdReading model = measureImpedance(m_component, testFrequencyHz);
    return {noisy(model.rs), noisy(model.xs)};
}

double MeterModel::noisy(double value)
{
    if (m_noise == 0)
        return value;
    std::uniform_real_distribution<double> spread(-m_noise, m_noise);
    return value * (1 + spread(m_random));
}

} // namespace sim
