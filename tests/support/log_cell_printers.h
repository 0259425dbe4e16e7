#pragma once
// Lets GoogleTest print the log's cell values readably in failure messages.
#include "recording/log_cell.h"
#include "qt_printers.h"

#include <ostream>

namespace recording {

inline void PrintTo(const LogDeviation& deviation, std::ostream* os)
{
    *os << "deviation " << deviation.percent;
}

inline void PrintTo(const LogVerdictMark& mark, std::ostream* os)
{
    *os << "verdict mark " << int(mark.verdict);
}

} // namespace recording
