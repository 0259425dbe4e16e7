#include "recording/append_log_row.h"

#include "recording/measurement_log_model.h"

#include <algorithm>

namespace recording {
namespace {

using Row = MeasurementLogModel::RowWrite;

int targetRow(const LogRowInput& in)
{
    const int row = in.mode == LogMode::MultiPart ? in.selectedPart : in.startPosition;
    return std::max(row, 1); // row 0 is the header
}

LogCell deviationCell(bool toleranceOn, double percent)
{
    return toleranceOn ? LogCell(LogDeviation{percent}) : LogCell();
}

RowNumbers numbersOf(const LogRowInput& in)
{
    RowNumbers numbers;
    numbers.values = in.values;
    if (in.primaryToleranceOn || in.secondaryToleranceOn)
        numbers.verdict = VerdictCode(in.verdict);
    if (in.primaryToleranceOn)
        numbers.primaryDeviationPercent = in.primaryDeviation;
    if (in.secondaryToleranceOn)
        numbers.secondaryDeviationPercent = in.secondaryDeviation;
    numbers.bin = in.bin;
    return numbers;
}

Row rowContent(int logRow, const LogRowInput& in)
{
    Row row;
    row.cells[MeasurementLogModel::PositionColumn] = logRow;
    if (in.mode == LogMode::SinglePart)
        row.cells[MeasurementLogModel::TimeColumn] = in.timestamp;
    row.cells[MeasurementLogModel::PrimaryColumn] = in.primaryLetter + u' ' + in.primaryValue;
    row.cells[MeasurementLogModel::SecondaryColumn] = in.secondaryLetter + u' ' + in.secondaryValue;
    row.cells[MeasurementLogModel::CircuitColumn] = in.serPer == 1 ? in.seriesText : in.parallelText;
    row.cells[MeasurementLogModel::FrequencyColumn] = in.freqIndex != 0 ? in.freqText : QStringLiteral("A");
    row.cells[MeasurementLogModel::LevelColumn] = in.levelText;
    if (in.primaryToleranceOn || in.secondaryToleranceOn) {
        const auto verdict = VerdictCode(in.verdict);
        row.cells[MeasurementLogModel::RejectColumn] = LogVerdictMark{verdict};
        row.verdict = verdict;
    }
    row.cells[MeasurementLogModel::PrimaryDeviationColumn] = deviationCell(in.primaryToleranceOn, in.primaryDeviation);
    row.cells[MeasurementLogModel::SecondaryDeviationColumn] =
        deviationCell(in.secondaryToleranceOn, in.secondaryDeviation);
    row.numbers = numbersOf(in);
    return row;
}

} // namespace

LogRowResult AppendLogRow(MeasurementLogModel& log, const LogRowInput& in)
{
    const int row = targetRow(in);
    log.ensureGridRows(row + 1);
    log.writeGridRow(row, rowContent(row, in));

    LogRowResult result;
    result.writtenRow = row;
    result.logRow = row + 1;
    result.startPosition =
        in.mode == LogMode::SinglePart ? std::min(result.logRow, MaxStartPosition) : in.startPosition;
    return result;
}

} // namespace recording
