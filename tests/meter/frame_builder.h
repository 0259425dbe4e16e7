#pragma once
#include "meter/meter_frame.h"
#include "meter/meter_settings.h"
#include <bit>
#include <cstdint>

namespace meter::testing {

// A frame with a valid trailer, the given mode byte and zeros elsewhere.
inline TMeterFrame ValidFrame(quint8 modeByte)
{
    TMeterFrame frame;
    frame.bytes[15] = modeByte;
    frame.bytes[16] = 0x31;
    frame.bytes[17] = 0x0A;
    return frame;
}

// Writes a binary32 value little-endian, as the meter sends it.
inline void PutFloat(TMeterFrame& frame, int offset, float value)
{
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i)
        frame.bytes[std::size_t(offset) + i] = quint8(bits >> (8 * i));
}

inline TMeterFrame FrameWithFloats(quint8 modeByte, float first, float second, float third)
{
    TMeterFrame frame = ValidFrame(modeByte);
    PutFloat(frame, 0, first);
    PutFloat(frame, 4, second);
    PutFloat(frame, 8, third);
    return frame;
}

// Packs a settings record into the RLCD frame's bytes 8 to 11 the way the meter does.
inline void PutSettings(TMeterFrame& frame, const TMeterSettings& s)
{
    frame.bytes[8] = quint8(s.SerPerAuto << 7 | s.SerPer << 6 | s.FreqAuto << 5 | s.FreqIndex);
    frame.bytes[9] = quint8(s.SecAuto << 7 | s.SecKind << 4 | s.PrimAuto << 3 | s.PrimKind);
    frame.bytes[10] = quint8(s.Hold << 7 | s.IntervalCode << 4 | s.LevelAuto << 3 | s.LevelIndex);
    frame.bytes[11] = quint8(s.Negative << 1 | s.Sound);
}

} // namespace meter::testing
