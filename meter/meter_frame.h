#pragma once
#include <QByteArray>
#include <QtGlobal>
#include <array>
#include <optional>

namespace meter {

// One report of the meter, exactly as received: bytes 0-14 carry the data of the mode,
// byte 15 the mode and the brightness bit, bytes 16 and 17 the trailer "1" and line feed.
struct TMeterFrame {
    static constexpr int kSize = 18;
    static constexpr quint8 kTrailerFirst = 0x31;
    static constexpr quint8 kTrailerLast = 0x0A;
    std::array<quint8, kSize> bytes{};
};

// A frame is recognised by its length alone; any other read is not a frame.
std::optional<TMeterFrame> FrameFromBytes(const QByteArray& received);

enum class MeterMode { None, Rlcd, Rd, U };

// What the window needs to route a frame: which decoder runs (None: no decoder) and how the
// brightness button is shown.
struct FrameDispatch {
    MeterMode mode = MeterMode::None;
    bool brightnessOn = false;
};

// The pure part of dispatching: nullopt for a frame with a wrong trailer, which must have no
// effect at all. A valid frame of an unknown mode still reports its brightness bit.
std::optional<FrameDispatch> DispatchFrame(const TMeterFrame& frame);

} // namespace meter
