#include "record/workbook_file.h"

#include "record/record_error.h"
#include "recording/file_error.h"
#include "recording/log_export.h"
#include "recording/xlsx_target.h"

namespace record {

void WriteWorkbook(const recording::MeasurementLogModel& log, int gridRows, const QString& path)
{
    try {
        recording::XlsxTarget workbook(path);
        recording::ExportLog(log, gridRows, workbook);
    } catch (const recording::FileError& error) {
        throw RecordError(FileNotWritten,
                          QStringLiteral("cannot write %1 %2: %3").arg(kWorkbookWhat, path, error.message()));
    }
}

} // namespace record
