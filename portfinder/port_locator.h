#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace portfinder {

// Environment variable naming a port to use instead of scanning; it wins when it names an
// existing device, so the simulator's pseudo-terminal and dongles that describe themselves
// differently can be used.
inline constexpr const char* kPortOverrideVariable = "RLC_DONGLE_PORT";

// The serial device (as "/dev/<name>") whose USB product description equals the given
// one, found below sysfsRoot/class/tty. The first match in name order wins.
std::optional<std::string> findPortByDescription(std::string_view description, const std::filesystem::path& sysfsRoot);

// The override port when the variable is set and names an existing file.
std::optional<std::string> overridePort();

// Override first, then the scan of the given sysfs tree.
std::optional<std::string> locatePort(std::string_view description, const std::filesystem::path& sysfsRoot = "/sys");

} // namespace portfinder
