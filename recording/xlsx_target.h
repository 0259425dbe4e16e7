#pragma once
#include "recording/spreadsheet_target.h"

#include <QString>
#include <string>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace recording {

// An .xlsx workbook with one sheet, written row by row in constant memory so that a log
// of 100000 rows needs no more memory than a few rows. The page has a left margin of 30
// and a right margin of 10 points. Numbers are stored as numbers, date-times as date
// values shown "dd.mm.yy hh:mm:ss", everything else as text; each column is as wide as
// its longest text.
class XlsxTarget : public SpreadsheetTarget {
public:
    explicit XlsxTarget(const QString& path);
    ~XlsxTarget() override;
    XlsxTarget(const XlsxTarget&) = delete;
    XlsxTarget& operator=(const XlsxTarget&) = delete;

    void putCell(int row, int column, const SheetCell& cell) override;
    void finish() override;

private:
    [[noreturn]] void fail(int error) const;
    void fitColumns();

    QString m_path;
    lxw_workbook* m_workbook = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_dateTimeFormat = nullptr;
    std::vector<int> m_columnChars; // longest text per column
    std::string m_utf8;             // the text cell on its way, its room kept from cell to cell
};

} // namespace recording
