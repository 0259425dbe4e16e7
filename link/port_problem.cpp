#include "link/port_problem.h"

#include <QFile>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dongle {
namespace {

QString owningGroup(const QByteArray& path)
{
    struct stat info {};
    if (::stat(path.constData(), &info) != 0)
        return {};
    const struct group* owner = ::getgrgid(info.st_gid);
    return owner ? QString::fromLocal8Bit(owner->gr_name) : QString();
}

} // namespace

PortProblem DescribeOpenFailure(QSerialPort::SerialPortError error, const QString& port, const QString& detail)
{
    PortProblem problem{PortProblemKind::Other, port, {}, detail};
    if (error == QSerialPort::DeviceNotFoundError) {
        problem.kind = PortProblemKind::Removed;
    } else if (error == QSerialPort::PermissionError) {
        const QByteArray path = QFile::encodeName(port);
        // The effective user's rights, which are the ones the open was refused with.
        const bool mayOpen = ::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) == 0;
        problem.kind = mayOpen ? PortProblemKind::Busy : PortProblemKind::PermissionDenied;
        if (!mayOpen)
            problem.group = owningGroup(path);
    }
    return problem;
}

bool MeansDeviceGone(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError || error == QSerialPort::WriteError;
}

} // namespace dongle
