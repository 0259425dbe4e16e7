#pragma once
#include "sim/meter_readings.h"

#include <QByteArray>
#include <QMetaType>
#include <array>
#include <cstdint>
#include <optional>

namespace sim {

// One 5-byte command from the program: a code byte, three data bytes and 0x0A. Code 0x01
// carries the settings, 0x81/0x82/0x83 switch the mode; 0x40 on top of either means the
// brightness button is released.
struct MeterCommand {
    static constexpr int kLength = 5;
    static constexpr uint8_t kTerminator = 0x0A;

    std::array<uint8_t, kLength> bytes{};

    // A command only when the bytes have the exact length, a known code and the terminator.
    static std::optional<MeterCommand> fromBytes(const QByteArray& bytes);
    static bool isCodeByte(uint8_t byte);

    bool isSettings() const;
    std::optional<MeterMode> mode() const; // for mode commands
    bool brightnessPressed() const;

    bool operator==(const MeterCommand&) const = default;
};

} // namespace sim

Q_DECLARE_METATYPE(sim::MeterCommand)
