#pragma once
#include <QDateTime>
#include <QString>

namespace recording {

// One cell on its way to a spreadsheet: always its text as the log shows it, and, where
// the text holds one, the number or the date and time it stands for.
struct SheetCell {
    enum class Kind { Text, Number, DateTime };
    Kind kind = Kind::Text;
    QString text;
    double number = 0;
    QDateTime dateTime;
};

// Where an export writes its cells: a workbook or a text file. Rows and columns count
// from 0; cells arrive row by row, left to right. finish() completes the file; a failure
// there or in putCell is reported as FileError naming the file and the reason. A file
// already written is never deleted.
class SpreadsheetTarget {
public:
    virtual ~SpreadsheetTarget() = default;
    virtual void putCell(int row, int column, const SheetCell& cell) = 0;
    virtual void finish() = 0;
};

} // namespace recording
