#include "portfinder/port_locator.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace portfinder {
namespace {

std::string readTrimmedLine(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
    return line;
}

// The "device" link of a tty points at the USB interface; the product description sits in
// the USB device above it, so walk up until a "product" file appears or the tree ends.
std::optional<std::string> usbProductOf(const fs::path& ttyEntry, const fs::path& sysfsRoot)
{
    std::error_code error;
    const fs::path device = fs::canonical(ttyEntry / "device", error);
    if (error)
        return std::nullopt;
    const fs::path root = fs::canonical(sysfsRoot, error);
    if (error)
        return std::nullopt;
    for (fs::path dir = device; dir != root && dir.has_relative_path(); dir = dir.parent_path()) {
        if (fs::is_regular_file(dir / "product", error))
            return readTrimmedLine(dir / "product");
    }
    return std::nullopt;
}

std::vector<fs::path> ttyEntriesByName(const fs::path& sysfsRoot)
{
    std::vector<fs::path> entries;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(sysfsRoot / "class" / "tty", error))
        entries.push_back(entry.path());
    std::sort(entries.begin(), entries.end());
    return entries;
}

} // namespace

std::optional<std::string> findPortByDescription(std::string_view description, const fs::path& sysfsRoot)
{
    for (const fs::path& entry : ttyEntriesByName(sysfsRoot)) {
        if (usbProductOf(entry, sysfsRoot) == description)
            return "/dev/" + entry.filename().string();
    }
    return std::nullopt;
}

std::optional<std::string> overridePort()
{
    const char* port = std::getenv(kPortOverrideVariable);
    std::error_code error;
    if (port == nullptr || *port == '\0' || !fs::exists(port, error))
        return std::nullopt;
    return std::string(port);
}

std::optional<std::string> locatePort(std::string_view description, const fs::path& sysfsRoot)
{
    if (auto port = overridePort())
        return port;
    return findPortByDescription(description, sysfsRoot);
}

} // namespace portfinder
