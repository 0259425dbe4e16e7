#pragma once
#include <QString>

namespace recording {
class MeasurementLogModel;
}

namespace record {

inline const QString kWorkbookWhat = QStringLiteral("the workbook");

// The log's first rows, under its titles, written once at the end, as the window's export
// writes them; a failure is a RecordError (file not written) with the file and the reason.
void WriteWorkbook(const recording::MeasurementLogModel& log, int gridRows, const QString& path);

} // namespace record
