#include "record/workbook_file.h"

#include "record/reading_log.h"
#include "record/record_error.h"
#include "recording/file_error.h"
#include "recording/xlsx_target.h"

namespace record {

void WriteWorkbook(const ReadingLog& log, const QString& path)
{
    try {
        recording::XlsxTarget workbook(path);
        log.exportTo(workbook);
    } catch (const recording::FileError& error) {
        throw RecordError(FileNotWritten,
                          QStringLiteral("cannot write %1 %2: %3").arg(kWorkbookWhat, path, error.message()));
    }
}

} // namespace record
