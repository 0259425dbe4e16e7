#pragma once
// Settings for the simulated meter, as it takes them from a settings command, and a reading
// it sends when told to.
#include "sim/meter_simulator.h"

#include <cstdint>

// Byte 1 circuit and frequency, byte 2 primary, secondary and sound, byte 3 hold, interval
// and level.
struct MeterSetup {
    uint8_t circuitAndFrequency;
    uint8_t parameters;
    uint8_t holdIntervalLevel;
};

constexpr uint8_t kSeries = 2 << 6, kParallel = 1 << 6;
constexpr uint8_t kFreq1k = 3;
constexpr uint8_t kSoundOn = 0x80;
constexpr uint8_t kInterval1s = 2 << 4, kInterval2s = 1 << 4;
constexpr uint8_t kLevel1V = 1;

constexpr uint8_t parameters(uint8_t primary, uint8_t secondary)
{
    return kSoundOn | uint8_t(secondary << 4) | primary;
}

inline void setUpMeter(sim::MeterSimulator& simulator, const MeterSetup& setup)
{
    sim::MeterCommand command;
    command.bytes = {0x01, setup.circuitAndFrequency, setup.parameters, setup.holdIntervalLevel, 0x0A};
    simulator.meter().applyCommand(command);
}

// The meter is set up and sends this RLCD reading now.
inline void sendRlcd(sim::MeterSimulator& simulator, const MeterSetup& setup, double rs, double xs)
{
    setUpMeter(simulator, setup);
    simulator.meter().setMode(sim::MeterMode::Rlcd);
    simulator.meter().setNextReading(sim::RlcdReading{rs, xs});
    simulator.sendFrameNow();
}
