#pragma once
#include "recording/log_cell.h"
#include "recording/row_numbers.h"
#include "recording/tolerance.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

namespace recording {
class MeasurementLogModel;
}

namespace record {

// One recorded reading as every output takes it: the table's row as it shows it, and the
// numbers behind the row that files for other programs carry.
struct RecordedRow {
    recording::LogRowTexts cells; // the table's columns, as it shows them
    int position = 0;
    QDateTime when;
    recording::VerdictCode verdict = recording::VerdictPass; // the code the table keeps
    // Percent, rounded as the table shows them; none while their tolerance is off.
    std::optional<double> primaryDeviation, secondaryDeviation;
    // The reading's values and judgement; its verdict is none where no tolerance was on.
    recording::RowNumbers numbers;

    bool judged() const { return numbers.verdict.has_value(); }
};

// The log's row as the reading just written to it left it, at that moment.
RecordedRow RecordedRowOf(const recording::MeasurementLogModel& log, int gridRow, const QDateTime& when);

} // namespace record
