// Prints the dongle's port and exits 0, or exits 1 when there is none.
#include "portfinder/port_locator.h"
#include "portfinder/port_query.h"

#include <cstdio>

int main()
{
    const auto port = portfinder::locatePort(kDongleDescription);
    if (!port)
        return 1;
    std::printf("%s\n", port->c_str());
    return 0;
}
