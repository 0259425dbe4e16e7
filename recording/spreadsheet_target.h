#pragma once
#include "recording/inline_text.h"

#include <QStringView>

namespace recording {

// A date and time as a sheet stores it, field by field.
struct SheetDateTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};

// One cell on its way to a spreadsheet: always its text as the log shows it, and, where the
// text holds one, the number or the date and time it stands for. A text the log keeps is
// passed by view (it must outlive the cell's trip to the target); a number's or a time's
// text is made in place. Nothing here allocates: an export passes a million of these.
class SheetCell {
public:
    enum class Kind { Text, Number, DateTime };

    static SheetCell keptText(QStringView text)
    {
        SheetCell cell;
        cell.m_keptText = text;
        return cell;
    }
    static SheetCell madeText(const InlineText& text) { return made(Kind::Text, text); }
    static SheetCell number(double value, const InlineText& text)
    {
        SheetCell cell = made(Kind::Number, text);
        cell.m_number = value;
        return cell;
    }
    static SheetCell dateTime(const SheetDateTime& when, const InlineText& text)
    {
        SheetCell cell = made(Kind::DateTime, text);
        cell.m_dateTime = when;
        return cell;
    }

    Kind kind() const { return m_kind; }
    QStringView text() const { return m_textMade ? m_madeText.view() : m_keptText; }
    double number() const { return m_number; }
    const SheetDateTime& dateTime() const { return m_dateTime; }

private:
    static SheetCell made(Kind kind, const InlineText& text)
    {
        SheetCell cell;
        cell.m_kind = kind;
        cell.m_madeText = text;
        cell.m_textMade = true;
        return cell;
    }

    Kind m_kind = Kind::Text;
    QStringView m_keptText;
    InlineText m_madeText;
    bool m_textMade = false;
    double m_number = 0;
    SheetDateTime m_dateTime;
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
