#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace recording {

// One CSV record in UTF-8 ended by CR LF: fields separated by commas; a field holding a
// comma, a double quote, CR or LF is enclosed in double quotes with its quotes doubled.
QByteArray CsvLine(const QStringList& fields);

// Written first, so that spreadsheet programs read the file as UTF-8.
inline const QByteArray Utf8ByteOrderMark("\xEF\xBB\xBF");

} // namespace recording
