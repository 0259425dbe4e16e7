#include "sim/frame_encoder.h"

#include <bit>
#include <cstdint>

namespace sim {
namespace {

constexpr uint8_t kBrightnessBit = 0x40;

void putFloat(QByteArray& frame, int offset, double value)
{
    const auto bits = std::bit_cast<uint32_t>(float(value));
    for (int i = 0; i < 4; ++i)
        frame[offset + i] = char((bits >> (8 * i)) & 0xFF);
}

QByteArray emptyFrame(MeterMode mode, bool brightnessPressed)
{
    QByteArray frame(kFrameLength, '\0');
    frame[kModeByte] = char(uint8_t(mode) | (brightnessPressed ? kBrightnessBit : 0));
    frame[16] = 0x31;
    frame[17] = 0x0A;
    return frame;
}

uint8_t bit(uint8_t flag, int position)
{
    return uint8_t((flag & 1) << position);
}

} // namespace

QByteArray encodeRlcdFrame(const RlcdReading& reading, const MeterSettings& s, bool brightnessPressed)
{
    QByteArray frame = emptyFrame(MeterMode::Rlcd, brightnessPressed);
    putFloat(frame, 0, reading.rs);
    putFloat(frame, 4, reading.xs);
    frame[8] = char(bit(s.SerPerAuto, 7) | bit(s.SerPer, 6) | bit(s.FreqAuto, 5) | (s.FreqIndex & 0x1F));
    frame[9] = char(bit(s.SecAuto, 7) | ((s.SecKind & 7) << 4) | bit(s.PrimAuto, 3) | (s.PrimKind & 7));
    frame[10] = char(bit(s.Hold, 7) | ((s.IntervalCode & 7) << 4) | bit(s.LevelAuto, 3) | (s.LevelIndex & 7));
    frame[11] = char(bit(s.Negative, 1) | bit(s.Sound, 0));
    return frame;
}

QByteArray encodeRdFrame(const RdReading& reading, bool brightnessPressed)
{
    QByteArray frame = emptyFrame(MeterMode::Rd, brightnessPressed);
    putFloat(frame, 0, reading.mainValue);
    putFloat(frame, 4, reading.firstCurrent);
    putFloat(frame, 8, reading.secondCurrent);
    frame[14] =
        char((uint8_t(reading.picture) & 0x0F) | bit(reading.hasSecondCurrent, 4) | ((reading.rangeCode & 7) << 5));
    return frame;
}

QByteArray encodeUFrame(const UReading& reading, bool brightnessPressed)
{
    QByteArray frame = emptyFrame(MeterMode::U, brightnessPressed);
    putFloat(frame, 0, reading.rms);
    putFloat(frame, 4, reading.peakToPeak);
    putFloat(frame, 8, reading.main);
    return frame;
}

} // namespace sim
