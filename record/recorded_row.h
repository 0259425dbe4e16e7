#pragma once
#include "recording/row_numbers.h"
#include "recording/tolerance.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

namespace record {

// One recorded reading as every output takes it: the table's row as it shows it, and the
// numbers behind the row that files for other programs carry.
struct RecordedRow {
    static constexpr int kCellCount = 10;

    std::array<QString, kCellCount> cells; // the table's columns, as it shows them
    int position = 0;
    QDateTime when;
    recording::VerdictCode verdict = recording::VerdictPass; // the code the table keeps
    // Percent, rounded as the table shows them; none while their tolerance is off.
    std::optional<double> primaryDeviation, secondaryDeviation;
    // The reading's values and judgement; its verdict is none where no tolerance was on.
    recording::RowNumbers numbers;

    bool judged() const { return numbers.verdict.has_value(); }
};

} // namespace record
