#pragma once
#include <vector>

namespace bench {

// The floor of the export benchmark: the cells of the benchmark's log (numbers, a
// date-time, short texts) written with libxlsxwriter in constant-memory mode by a plain loop
// that knows them in advance, with the page and the column widths set as the logger sets
// them. The deviations come as the numbers the log shows, one primary per row, so that the
// workbook is the export's, cell for cell. False when the library reports an error.
bool WritePlainWorkbook(const char* path, const std::vector<double>& primaryDeviations, double secondaryDeviation);

} // namespace bench
