#pragma once
// The request handed to the port finder's entry "gets". The program keeps one request for
// the whole run; the library fills in Status and PortName.
#include <cstdint>

extern "C" {

struct TPortQuery {
    const char* DeviceDescription; // in: USB product description of the dongle
    const char* ExtraKey;          // in: unused, the program passes the empty text
    int32_t Status;                // out: 1 found, 0 not found
    const char* PortName;          // out: port path, read only when Status is 1
};

// Signature of the entry "gets" as resolved from the library.
using TPortFinderEntry = void (*)(TPortQuery* query);

} // extern "C"

// The USB product description of the dongle the program looks for.
inline constexpr const char* kDongleDescription = "TI CC2540 USB CDC";

// The file name stem of the library (libGetNumCom.so), beside the program's executable or
// in its installed library folder.
inline constexpr const char* kPortFinderLibrary = "GetNumCom";
inline constexpr const char* kPortFinderEntry = "gets";
