#include "bench/peak_memory.h"

#include <QFile>

namespace bench {

double PeakResidentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    // The file reports a size of 0, so it is read whole rather than line by line.
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0; // reported in kB
    }
    return 0;
}

} // namespace bench
