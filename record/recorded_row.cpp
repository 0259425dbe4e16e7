#include "record/recorded_row.h"

#include "recording/log_formats.h"
#include "recording/measurement_log_model.h"

namespace record {
namespace {

using Log = recording::MeasurementLogModel;

std::optional<double> shownDeviation(const recording::LogCell& cell)
{
    const auto* deviation = std::get_if<recording::LogDeviation>(&cell);
    return deviation ? recording::DeviationAsShown(deviation->percent) : std::nullopt;
}

} // namespace

RecordedRow RecordedRowOf(const recording::MeasurementLogModel& log, int gridRow, const QDateTime& when)
{
    RecordedRow recorded;
    recorded.cells = log.gridRowTexts(gridRow);
    recorded.position = gridRow;
    recorded.when = when;
    recorded.verdict = log.gridRowVerdict(gridRow);
    recorded.numbers = log.gridRowNumbers(gridRow).value_or(recording::RowNumbers{});
    recorded.primaryDeviation = shownDeviation(log.cellValue(gridRow, Log::PrimaryDeviationColumn));
    recorded.secondaryDeviation = shownDeviation(log.cellValue(gridRow, Log::SecondaryDeviationColumn));
    return recorded;
}

} // namespace record
