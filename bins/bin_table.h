#pragma once
#include "recording/bin.h"
#include "recording/reading_values.h"
#include "recording/reference.h"

#include <optional>
#include <vector>

namespace bins {

// What a bin's primary range is given in, for the primary value x (in ohm, henry or farad,
// signed as the row holds it) against the part's nominal:
//   Percent    "%"    the deviation in percent exactly as the verdict computes it and the
//                     table shows it; for C that is the deviation of the reactances,
//                     (1 - Cnominal/Cmeasured) × 100, not of the capacitances;
//   Deviation  "dev"  x - nominal, in SI units;
//   Absolute   "abs"  x itself, in SI units.
enum class RangeMode { Percent, Deviation, Absolute };

// One bin: its number and its primary range, low ≤ v ≤ high where v is the reading in the
// bin's mode. The limits are signed and need not lie around 0. The secondary limits are
// absolute, in the secondary's own unit (ohm for R, plain numbers for Q and D), each on its
// own optional, and also hold their edges.
struct BinRange {
    int number = kFirstBinNumber;
    RangeMode mode = RangeMode::Percent;
    double low = 0;
    double high = 0;
    std::optional<double> secondaryLow, secondaryHigh;
    bool operator==(const BinRange&) const = default;
};

// A part's bins and whether its AUX bin is on. The bins are kept in ascending numbers, each
// number once (the file reader gives them so; BinTableProblem says when a table is not).
struct BinTable {
    std::vector<BinRange> bins;
    bool aux = false;
    bool operator==(const BinTable&) const = default;
};

// Sorts a reading as a bench comparator does, against the part's primary reference (its
// quantity and nominal):
//   - the lowest-numbered bin whose primary range holds the reading is its bin, so where
//     bins overlap the lower number wins, and a reading on an edge shared by two bins goes
//     to the lower one;
//   - when that bin's secondary limits do not hold the secondary (or the reading shows no
//     secondary, or an overloaded one) the reading goes to AUX when AUX is on and to OUT
//     otherwise; it never falls through to a later bin;
//   - a reading in no bin (in a gap, or beyond them all) goes to OUT, and so does an
//     overloaded primary, or a primary of another quantity than the part's (|Z|, or L shown
//     for a C part);
//   - a bin in "%" or "dev" cannot hold any reading while the nominal cannot be read.
// The verdict is the verdict's business: the bin never changes it.
Bin SortReading(const BinTable& table, const recording::ReadingValues& reading,
                const recording::PrimaryReferenceValue& reference);

} // namespace bins
