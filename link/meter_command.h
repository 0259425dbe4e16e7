#pragma once
#include "meter/meter_settings.h"

#include <QByteArray>
#include <optional>
#include <array>

namespace dongle {

// The 5-byte command to the meter: a code byte, three data bytes and a line feed.
struct TMeterCommand {
    static constexpr int kSize = 5;
    std::array<quint8, kSize> bytes{};
    QByteArray toByteArray() const { return QByteArray(reinterpret_cast<const char*>(bytes.data()), kSize); }
};

// Every command ends with a line feed.
inline constexpr quint8 kCommandTerminator = 0x0A;

// Mode codes of the view buttons.
inline constexpr quint8 kModeRlcd = 0x81;
inline constexpr quint8 kModeRd = 0x82;
inline constexpr quint8 kModeU = 0x83;

// The whole settings record as one command. Automatic frequency travels with index 4, and
// the record keeps that index. Brightness goes out inverted: a released button sets bit 6.
TMeterCommand EncodeSettingsCommand(meter::TMeterSettings& settings, bool brightnessPressed);

TMeterCommand EncodeModeCommand(quint8 modeCode, bool brightnessPressed);

} // namespace dongle
