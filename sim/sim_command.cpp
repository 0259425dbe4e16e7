#include "sim/sim_command.h"

namespace sim {
namespace {

constexpr uint8_t kReleasedBit = 0x40;
constexpr uint8_t kSettingsCode = 0x01;
constexpr uint8_t kModeCodeBase = 0x80;

uint8_t codeWithoutBrightness(uint8_t byte)
{
    return uint8_t(byte & ~kReleasedBit);
}

} // namespace

bool MeterCommand::isCodeByte(uint8_t byte)
{
    const uint8_t code = codeWithoutBrightness(byte);
    return code == kSettingsCode || (code >= kModeCodeBase + 1 && code <= kModeCodeBase + 3);
}

std::optional<MeterCommand> MeterCommand::fromBytes(const QByteArray& raw)
{
    if (raw.size() != kLength || !isCodeByte(uint8_t(raw[0])) || uint8_t(raw[kLength - 1]) != kTerminator)
        return std::nullopt;
    MeterCommand command;
    for (std::size_t i = 0; i < command.bytes.size(); ++i)
        command.bytes[i] = uint8_t(raw[qsizetype(i)]);
    return command;
}

bool MeterCommand::isSettings() const
{
    return codeWithoutBrightness(bytes[0]) == kSettingsCode;
}

std::optional<MeterMode> MeterCommand::mode() const
{
    if (isSettings())
        return std::nullopt;
    return MeterMode(codeWithoutBrightness(bytes[0]) - kModeCodeBase);
}

bool MeterCommand::brightnessPressed() const
{
    return (bytes[0] & kReleasedBit) == 0;
}

} // namespace sim
