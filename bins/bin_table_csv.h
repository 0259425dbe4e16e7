#pragma once
#include "bins/bin_table.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace bins {

// A bin table as a CSV file, UTF-8: the header line, one line per bin, and the AUX line.
//
//   bin,mode,low,high,secondary_low,secondary_high
//   1,%,-1,1,,0.01
//   2,%,-2,2,,0.01
//   3,%,-5,5,,0.02
//   4,dev,5e-09,2e-08,,
//   aux,on
//
// For a 100 nF capacitor measured with D, this sorts
//   100.5 nF, D 0.005  into bin 1 (a deviation of +0.50 %);
//   101.5 nF, D 0.004  into bin 2 (+1.48 %: a C deviation is that of the reactances,
//                      (1 - 100/101.5) × 100);
//   100.5 nF, D 0.015  into AUX: its primary is in bin 1 and its D above bin 1's limit,
//                      and it does not fall through to bin 3, whose limit would hold it;
//                      with "aux,off" it would go to OUT;
//   110 nF             into bin 4 (+9.1 % is in no bin before it; 10 nF above the nominal);
//   130 nF             into OUT.
//
// The fields: the bin's number, 1 to 9, each number at most once, in any order; the mode of
// its primary range, "%", "dev" or "abs" (see RangeMode); the low and high limits, low not
// above high, in percent or in ohm, henry or farad; and the secondary's limits in its own
// unit, where an empty field sets no limit on that side. Numbers are written with "." as the
// decimal point and may carry an exponent. Every edge belongs to the range it closes. The
// line "aux,on" or "aux,off" appears once. Blank lines are skipped, spaces around a field
// are ignored, and a byte order mark at the start is allowed.

// A mode as the file writes it, "%", "dev" or "abs"; the mode of such a word, in any case,
// or none.
QString RangeModeWord(RangeMode mode);
std::optional<RangeMode> RangeModeOfWord(QStringView word);

// The table the bytes hold, or the reason they hold none, naming the line ("line 4: ...").
// One bad line refuses the whole table: sorting by part of a table would sort wrongly.
struct BinTableReading {
    std::optional<BinTable> table;
    QString problem;
};
BinTableReading ReadBinTable(const QByteArray& bytes);

// Why the table cannot be written as it stands (no bin, a number out of 1 to 9 or given
// twice, a low limit above its high one, a limit that is no finite number), or empty.
QString BinTableProblem(const BinTable& table);
// The file's bytes, bins in ascending numbers and numbers in the fewest digits that read
// back as the same number; ReadBinTable gives the very same table back. The table must have
// no problem.
QByteArray BinTableBytes(const BinTable& table);

// recording::FileError naming the file and the reason (for a bad line, the line) when the
// file cannot be read or holds no table.
BinTable LoadBinTable(const QString& path);
// Replaces the file at once (never half written), making its folder. recording::FileError
// naming the file and the reason.
void SaveBinTable(const QString& path, const BinTable& table);

} // namespace bins
