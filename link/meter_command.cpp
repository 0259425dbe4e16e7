#include "link/meter_command.h"

namespace dongle {
namespace {

constexpr quint8 kSettingsCode = 0x01;
constexpr quint8 kBrightnessReleasedBit = 0x40;
constexpr quint8 kAutomaticFreqIndex = 4;

quint8 brightnessBit(bool pressed)
{
    return pressed ? 0 : kBrightnessReleasedBit;
}

} // namespace

TMeterCommand EncodeSettingsCommand(meter::TMeterSettings& s, bool brightnessPressed)
{
    const int circuitCode = s.SerPerAuto == 1 ? 0 : s.SerPer + 1;
    if (s.FreqAuto == 1)
        s.FreqIndex = kAutomaticFreqIndex;
    const int primaryCode = s.PrimAuto == 1 ? 0 : s.PrimKind;
    const int secondaryCode = s.SecAuto == 1 ? 0 : s.SecKind;

    TMeterCommand command;
    command.bytes[0] = kSettingsCode | brightnessBit(brightnessPressed);
    command.bytes[1] = quint8(64 * circuitCode + 32 * s.FreqAuto + s.FreqIndex);
    command.bytes[2] = quint8(primaryCode + 128 * s.Sound + 16 * secondaryCode);
    command.bytes[3] = quint8(128 * s.Hold + 16 * s.IntervalCode + 8 * s.LevelAuto + s.LevelIndex);
    command.bytes[4] = kCommandTerminator;
    return command;
}

TMeterCommand EncodeModeCommand(quint8 modeCode, bool brightnessPressed)
{
    TMeterCommand command;
    command.bytes = {quint8(modeCode | brightnessBit(brightnessPressed)), 0x01, 0x01, 0x01, kCommandTerminator};
    return command;
}

} // namespace dongle
