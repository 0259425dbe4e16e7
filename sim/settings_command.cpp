#include "sim/settings_command.h"

namespace sim {
namespace {

constexpr uint8_t kCircuitAuto = 0, kCircuitParallel = 1, kCircuitSeries = 2;

void applyFrequency(MeterSettings& settings, uint8_t byte1)
{
    settings.FreqAuto = (byte1 >> 5) & 1;
    const uint8_t index = byte1 & 0x1F;
    if (index < kFrequencyCount)
        settings.FreqIndex = index;
}

void applyCircuit(MeterSettings& settings, uint8_t byte1)
{
    switch (byte1 >> 6) {
    case kCircuitAuto: settings.SerPerAuto = 1; break;
    case kCircuitParallel:
        settings.SerPerAuto = 0;
        settings.SerPer = 0;
        break;
    case kCircuitSeries:
        settings.SerPerAuto = 0;
        settings.SerPer = 1;
        break;
    default: break; // code 3 names no circuit
    }
}

void applyPrimary(MeterSettings& settings, uint8_t code)
{
    if (code == 0)
        settings.PrimAuto = 1;
    else if (code <= kPrimZ) {
        settings.PrimAuto = 0;
        settings.PrimKind = code;
    }
}

void applySecondary(MeterSettings& settings, uint8_t code)
{
    if (code == 0)
        settings.SecAuto = 1;
    else if (code <= kSecAngle) {
        settings.SecAuto = 0;
        settings.SecKind = code;
    }
}

void applyLevelIntervalHold(MeterSettings& settings, uint8_t byte3)
{
    const uint8_t level = byte3 & 0x07;
    if (level <= 4)
        settings.LevelIndex = level;
    settings.LevelAuto = (byte3 >> 3) & 1;
    const uint8_t interval = (byte3 >> 4) & 0x07;
    if (isKnownIntervalCode(interval))
        settings.IntervalCode = interval;
    settings.Hold = byte3 >> 7;
}

} // namespace

void applySettingsCommand(MeterSettings& settings, const MeterCommand& command)
{
    const auto& bytes = command.bytes;
    applyFrequency(settings, bytes[1]);
    applyCircuit(settings, bytes[1]);
    applyPrimary(settings, bytes[2] & 0x07);
    applySecondary(settings, (bytes[2] >> 4) & 0x07);
    settings.Sound = bytes[2] >> 7;
    applyLevelIntervalHold(settings, bytes[3]);
}

} // namespace sim
