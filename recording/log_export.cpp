#include "recording/log_export.h"

#include "recording/log_formats.h"
#include "recording/measurement_log_model.h"
#include "recording/spreadsheet_target.h"

namespace recording {
namespace {

// A cell as the sheet takes it: always the text the log shows, and the number or time
// that text stands for where the cell holds one.
class SheetCellOf {
public:
    explicit SheetCellOf(const QString& shownText)
        : m_text(shownText)
    {
    }

    SheetCell operator()(std::monostate) const { return textCell(); }
    SheetCell operator()(const QString&) const { return textCell(); }
    SheetCell operator()(LogVerdictMark) const { return textCell(); }
    SheetCell operator()(int number) const { return numberCell(number); }
    SheetCell operator()(LogDeviation deviation) const
    {
        const std::optional<double> shown = DeviationAsShown(deviation.percent);
        return shown ? numberCell(*shown) : textCell();
    }
    SheetCell operator()(const QDateTime& when) const
    {
        const QDateTime shown = LogTimestampAsShown(when);
        return shown.isValid() ? dateTimeCell(shown) : textCell();
    }

private:
    SheetCell textCell() const { return {SheetCell::Kind::Text, m_text, 0, {}}; }
    SheetCell numberCell(double number) const { return {SheetCell::Kind::Number, m_text, number, {}}; }
    SheetCell dateTimeCell(const QDateTime& when) const { return {SheetCell::Kind::DateTime, m_text, 0, when}; }

    const QString& m_text;
};

} // namespace

void ExportLog(const MeasurementLogModel& log, int gridRows, SpreadsheetTarget& target)
{
    for (int row = 0; row < gridRows; ++row) {
        for (int column = 0; column < MeasurementLogModel::ColumnCount; ++column) {
            const QString shownText = log.gridCell(row, column);
            target.putCell(row, column, std::visit(SheetCellOf(shownText), log.cellValue(row, column)));
        }
    }
    target.finish();
}

} // namespace recording
