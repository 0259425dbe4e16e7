#include "log_export.h"

#include "decimal_text.h"
#include "measurement_log_model.h"
#include "spreadsheet_target.h"

#include <QRegularExpression>

namespace recording {
namespace {

// "dd.mm.yy hh:mm:ss" with whatever time separator the log was written with.
std::optional<QDateTime> parseLogTimestamp(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(\d\d)\.(\d\d)\.(\d\d) (\d\d)\D(\d\d)\D(\d\d)$)"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(2000 + m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

bool holdsNumbers(int column)
{
    // The position, and in the profile's reference view the start position, and the
    // two deviations.
    return column == MeasurementLogModel::PositionColumn || column == MeasurementLogModel::PrimaryDeviationColumn
        || column == MeasurementLogModel::SecondaryDeviationColumn;
}

SheetCell logCell(int column, const QString& text)
{
    SheetCell cell{SheetCell::Kind::Text, text, 0, {}};
    if (holdsNumbers(column)) {
        if (const std::optional<double> number = ParseDecimal(text)) {
            cell.kind = SheetCell::Kind::Number;
            cell.number = *number;
        }
    } else if (column == MeasurementLogModel::TimeColumn) {
        if (const std::optional<QDateTime> when = parseLogTimestamp(text)) {
            cell.kind = SheetCell::Kind::DateTime;
            cell.dateTime = *when;
        }
    }
    return cell;
}

} // namespace

void ExportLog(const MeasurementLogModel& log, int gridRows, SpreadsheetTarget& target)
{
    for (int row = 0; row < gridRows; ++row) {
        for (int column = 0; column < MeasurementLogModel::ColumnCount; ++column) {
            const QString text = log.gridCell(row, column);
            target.putCell(row, column, row == 0 ? SheetCell{SheetCell::Kind::Text, text, 0, {}} : logCell(column, text));
        }
    }
    target.finish();
}

} // namespace recording
