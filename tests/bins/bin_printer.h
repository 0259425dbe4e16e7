#pragma once
// Lets GoogleTest print a bin as its word.
#include "recording/bin.h"

#include <ostream>

namespace bins {
inline void PrintTo(Bin bin, std::ostream* out)
{
    *out << BinWord(bin).toStdString();
}
} // namespace bins
