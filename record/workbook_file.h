#pragma once
#include <QString>

namespace record {

class ReadingLog;

inline const QString kWorkbookWhat = QStringLiteral("the workbook");

// The workbook is written once, at the end; a failure is a RecordError (file not written)
// with the file and the reason.
void WriteWorkbook(const ReadingLog& log, const QString& path);

} // namespace record
