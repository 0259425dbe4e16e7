#pragma once

namespace recording {

class MeasurementLogModel;
class SpreadsheetTarget;

// Copies the first `gridRows` grid rows of the log (row 0 the headers) with all ten
// columns into the target, row by row, and finishes it. The window passes LogRow in
// single-part mode and the part count + 1 in multi-part mode. Position, start-position
// and deviation cells that hold a plain number go out as numbers, log times as date-times,
// every other cell (and every header) as text. Failures come as FileError; the log and
// LogRow are left as they were.
void ExportLog(const MeasurementLogModel& log, int gridRows, SpreadsheetTarget& target);

} // namespace recording
