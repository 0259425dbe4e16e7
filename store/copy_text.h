#pragma once
#include <QByteArray>

namespace store {

class SqliteStatement;

// The current row of a statement as one line of PostgreSQL's COPY text format: the
// columns between tabs, NULL as \N, texts with their backslashes, tabs and line ends
// escaped, and numbers with as many digits as it takes to read back the very same number.
void AppendCopyLine(QByteArray& lines, const SqliteStatement& row);

} // namespace store
