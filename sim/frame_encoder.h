#pragma once
#include "sim/meter_readings.h"
#include "sim/sim_settings.h"

#include <QByteArray>

namespace sim {

// Builds the meter's 18-byte frames: 15 bytes of mode data, the mode byte (bit 6 set when
// the brightness button is pressed) and the trailer 0x31 0x0A. Floats are little-endian
// IEEE binary32.
inline constexpr int kFrameLength = 18;
inline constexpr int kModeByte = 15;

QByteArray encodeRlcdFrame(const RlcdReading& reading, const MeterSettings& reported, bool brightnessPressed);
QByteArray encodeRdFrame(const RdReading& reading, bool brightnessPressed);
QByteArray encodeUFrame(const UReading& reading, bool brightnessPressed);

} // namespace sim
