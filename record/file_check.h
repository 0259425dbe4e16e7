#pragma once
#include <QString>

namespace record {

// Makes sure at the start that a file can be written, without touching what it holds: a
// recording whose output was never possible should not begin, and a run that cannot begin
// must not empty the file of an earlier one. RecordError (file not written) names `what`
// ("the CSV file"), the path and the reason.
void CheckCanBeWritten(const QString& path, const QString& what);

} // namespace record
