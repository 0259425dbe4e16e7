#include "record/reading_log.h"

#include "recording/log_export.h"
#include "recording/log_formats.h"
#include "recording/log_headings.h"

#include <algorithm>

namespace record {
namespace {

using Log = recording::MeasurementLogModel;

std::optional<double> shownDeviation(const recording::LogCell& cell)
{
    const auto* deviation = std::get_if<recording::LogDeviation>(&cell);
    return deviation ? recording::DeviationAsShown(deviation->percent) : std::nullopt;
}

} // namespace

ReadingLog::ReadingLog(const localisation::MainLexicons& lexicons)
{
    recording::ShowLogHeadings(m_log, lexicons);
}

QStringList ReadingLog::columnTitles() const
{
    QStringList titles;
    for (int column = 0; column < Log::ColumnCount; ++column)
        titles << m_log.headerText(column);
    return titles;
}

RecordedRow ReadingLog::append(recording::LogRowInput reading)
{
    reading.mode = recording::LogMode::SinglePart;
    reading.startPosition = m_startPosition;
    const recording::LogRowResult written = recording::AppendLogRow(m_log, reading);
    m_startPosition = written.startPosition;
    m_gridRows = std::max(m_gridRows, written.logRow);

    const int row = written.writtenRow;
    RecordedRow recorded;
    recorded.cells = m_log.gridRowTexts(row);
    recorded.position = row;
    recorded.when = reading.timestamp;
    recorded.verdict = m_log.gridRowVerdict(row);
    recorded.numbers = m_log.gridRowNumbers(row).value_or(recording::RowNumbers{});
    recorded.primaryDeviation = shownDeviation(m_log.cellValue(row, Log::PrimaryDeviationColumn));
    recorded.secondaryDeviation = shownDeviation(m_log.cellValue(row, Log::SecondaryDeviationColumn));
    return recorded;
}

void ReadingLog::exportTo(recording::SpreadsheetTarget& target) const
{
    recording::ExportLog(m_log, m_gridRows, target);
}

} // namespace record
