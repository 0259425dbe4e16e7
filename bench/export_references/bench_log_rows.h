#pragma once
// What the export benchmark's log holds, for the references that write the same cells
// without the log: a header row, then rows that differ in their position, their verdict
// mark and their primary deviation only.
namespace bench {

constexpr int kExportedLogRows = 100000; // the log's longest single-part recording

// The log row (from 1) of each reading i (from 0), and what changes with it.
inline int positionOf(int reading)
{
    return reading + 1;
}
inline bool rejectedAt(int reading)
{
    return reading % 4 != 0;
}
inline double primaryDeviationAt(int reading)
{
    return reading * 0.01;
}

} // namespace bench
