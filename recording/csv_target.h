#pragma once
#include "recording/spreadsheet_target.h"

#include <QFile>
#include <QStringList>

namespace recording {

// A CSV file (UTF-8 with byte-order mark, CR LF line ends) of the cells as the log shows
// them. Rows without any cell become empty records, so every row keeps its number.
class CsvTarget : public SpreadsheetTarget {
public:
    explicit CsvTarget(const QString& path);

    void putCell(int row, int column, const SheetCell& cell) override;
    void finish() override;

private:
    void writeRowsUpTo(int row);
    void write(const QByteArray& bytes);
    [[noreturn]] void fail(const QString& what) const;

    QFile m_file;
    int m_currentRow = 0;
    QStringList m_fields; // of the current row
};

} // namespace recording
