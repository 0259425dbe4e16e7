#include "recording/log_export.h"

#include "recording/log_formats.h"
#include "recording/measurement_log_model.h"
#include "recording/row_numbers.h"
#include "recording/spreadsheet_target.h"

namespace recording {
namespace {

// A cell as the sheet takes it: always the text the log shows, and the number or time
// that text stands for where the cell holds one. Texts the log keeps go by view; the texts
// of numbers and times are made in place, beside the number or time they show.
class SheetCellOf {
public:
    explicit SheetCellOf(const LogDisplayTexts& texts) : m_texts(texts) {}

    SheetCell operator()(std::monostate) const { return SheetCell::keptText({}); }
    SheetCell operator()(const QString& text) const { return SheetCell::keptText(text); }
    SheetCell operator()(LogVerdictMark mark) const
    {
        return SheetCell::keptText(mark.verdict != VerdictPass ? m_texts.rejectMark : m_texts.passMark);
    }
    SheetCell operator()(int number) const
    {
        InlineText text;
        text.appendNumber(number);
        return SheetCell::number(number, text);
    }
    SheetCell operator()(LogDeviation deviation) const
    {
        InlineText text = DeviationDigits(deviation.percent);
        const std::optional<double> shown = DeviationAsShown(deviation.percent);
        text.replace(u'.', m_texts.decimalSeparator);
        return shown ? SheetCell::number(*shown, text) : SheetCell::madeText(text);
    }
    SheetCell operator()(const QDateTime& when) const
    {
        const InlineText text = LogTimestampText(when, m_texts.timeSeparator);
        const std::optional<ShownDateTime> shown = LogTimestampFieldsAsShown(when);
        if (!shown)
            return SheetCell::madeText(text);
        const QDate& date = shown->date;
        const QTime& time = shown->time;
        return SheetCell::dateTime({date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()},
                                   text);
    }

private:
    const LogDisplayTexts& m_texts;
};

// A cell of the numeric columns: a real number where there is one. A text must outlive the
// cell's trip to the target.
struct NumericSheetCell {
    SheetCell operator()(std::monostate) const { return SheetCell::keptText({}); }
    SheetCell operator()(double number) const
    {
        InlineText text;
        text.appendNumber(number);
        return SheetCell::number(number, text);
    }
    SheetCell operator()(const QString& text) const { return SheetCell::keptText(text); }
};

// A row without a reading gets its empty cells too, so that every line of a text file has
// as many fields as its header.
void putNumbers(SpreadsheetTarget& target, int row, const std::optional<RowNumbers>& numbers)
{
    constexpr int first = MeasurementLogModel::ColumnCount;
    if (!numbers) {
        for (int column = 0; column < kNumericColumnCount; ++column)
            target.putCell(row, first + column, SheetCell::keptText({}));
        return;
    }
    const std::array<NumericCell, kNumericColumnCount> cells = NumericCells(*numbers);
    for (int column = 0; column < kNumericColumnCount; ++column)
        target.putCell(row, first + column, std::visit(NumericSheetCell{}, cells[std::size_t(column)]));
}

} // namespace

void ExportLog(const MeasurementLogModel& log, int gridRows, SpreadsheetTarget& target)
{
    const SheetCellOf sheetCellOf(log.displayTexts());
    if (gridRows > 0) {
        for (int column = 0; column < MeasurementLogModel::ColumnCount; ++column)
            target.putCell(0, column, SheetCell::keptText(log.headerText(column)));
        const QStringList& names = NumericColumnNames();
        for (int column = 0; column < kNumericColumnCount; ++column)
            target.putCell(0, MeasurementLogModel::ColumnCount + column, SheetCell::keptText(names[column]));
    }
    for (int row = 1; row < gridRows; ++row) {
        for (int column = 0; column < MeasurementLogModel::ColumnCount; ++column)
            target.putCell(row, column, std::visit(sheetCellOf, log.logCell(row, column)));
        putNumbers(target, row, log.gridRowNumbers(row));
    }
    target.finish();
}

} // namespace recording
