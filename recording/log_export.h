#pragma once

namespace recording {

class MeasurementLogModel;
class SpreadsheetTarget;

// Copies the first `gridRows` grid rows of the log (row 0 the headers) with all ten
// columns into the target, row by row, and finishes it. The window passes LogRow in
// single-part mode and the part count + 1 in multi-part mode. Every cell goes out with the
// text the log shows; whole numbers (positions, part numbers, start positions) and
// deviations also as the numbers the log shows, reading times as the date-times it shows;
// every other cell (and every header) as text only. After the ten columns come the numeric
// columns (NumericColumnNames) with each row's numbers, real numbers where a row has them.
// Failures come as FileError; the log and LogRow are left as they were.
void ExportLog(const MeasurementLogModel& log, int gridRows, SpreadsheetTarget& target);

} // namespace recording
