#pragma once
#include <QMetaType>
#include <QSerialPort>
#include <QString>

namespace dongle {

// Why the dongle's port could not be used, in terms the user can act on.
enum class PortProblemKind {
    PermissionDenied, // the user may not open the device: a udev rule or group membership is missing
    Busy,             // another program holds the port
    Removed,          // the device went away while it was open
    Other,            // the port would not open for another reason; the detail says what
    WriteStalled,     // the open port took no byte of a write within the write time-out
    Failed,           // an operation on the open port failed; the detail says what
};

struct PortProblem {
    PortProblemKind kind = PortProblemKind::Other;
    QString port;   // the device path as the port finder named it
    QString group;  // the group that owns the device, for PermissionDenied
    QString detail; // the system's own words

    bool operator==(const PortProblem&) const = default;
};

// Tells an open that failed with `error` apart: the serial port reports a device the user
// may not open and one that another program has locked alike, so the device's access
// rights decide.
PortProblem DescribeOpenFailure(QSerialPort::SerialPortError error, const QString& port, const QString& detail);

// An error on an open port after which it cannot be used any more: the device is gone
// (unplugged, or its driver gave up). A pulled-out device shows as a read error (the
// descriptor hangs up), a write error, or a resource error.
bool MeansDeviceGone(QSerialPort::SerialPortError error);

} // namespace dongle

Q_DECLARE_METATYPE(dongle::PortProblem)
