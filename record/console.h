#pragma once
#include "platform/console.h"

#include <QString>

namespace record {

using platform::Console;

// "12 readings, 1 reject"
QString CountsText(int readings, int rejects);
// "12 readings, 1 reject, last R 1.0050 kΩ"
QString ProgressText(int readings, int rejects, const QString& lastValue);

} // namespace record
