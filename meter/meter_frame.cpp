#include "meter/meter_frame.h"

namespace meter {

namespace {
constexpr int kModeByte = 15;
constexpr quint8 kModeMask = 0x0F;
constexpr quint8 kBrightnessBit = 0x40;

MeterMode ModeFromCode(int code)
{
    switch (code) {
    case 1: return MeterMode::Rlcd;
    case 2: return MeterMode::Rd;
    case 3: return MeterMode::U;
    default: return MeterMode::None;
    }
}
} // namespace

std::optional<TMeterFrame> FrameFromBytes(const QByteArray& received)
{
    if (received.size() != TMeterFrame::kSize)
        return std::nullopt;
    TMeterFrame frame;
    for (std::size_t i = 0; i < frame.bytes.size(); ++i)
        frame.bytes[i] = quint8(received[qsizetype(i)]);
    return frame;
}

std::optional<FrameDispatch> DispatchFrame(const TMeterFrame& frame)
{
    if (frame.bytes[TMeterFrame::kSize - 2] != TMeterFrame::kTrailerFirst
        || frame.bytes[TMeterFrame::kSize - 1] != TMeterFrame::kTrailerLast)
        return std::nullopt;
    const quint8 modeByte = frame.bytes[kModeByte];
    return FrameDispatch{ModeFromCode(modeByte & kModeMask), (modeByte & kBrightnessBit) != 0};
}

} // namespace meter
