// The library's C entry. Its name clashes with the C library's obsolete "gets"; the program
// resolves it on this library's own handle, where this definition is found first.
#include "portfinder/port_locator.h"
#include "portfinder/port_query.h"

#include <string>

namespace {

// PortName points into this buffer: it belongs to the library and stays valid until the
// next call of the entry. Callers that keep the name copy it.
std::string lastPortName;

} // namespace

extern "C" void gets(TPortQuery* query)
{
    if (query == nullptr)
        return;
    const auto port = query->DeviceDescription != nullptr ? portfinder::locatePort(query->DeviceDescription)
                                                          : portfinder::overridePort();
    lastPortName = port.value_or(std::string());
    query->PortName = lastPortName.c_str();
    query->Status = port ? 1 : 0;
}
