#pragma once
#include "recording/row_numbers.h"
#include "recording/tolerance.h"

#include <QDateTime>
#include <QMetaType>
#include <QString>

#include <array>
#include <optional>
#include <variant>

namespace recording {

// A percent deviation from the nominal value; the log shows it rounded (FormatDeviation).
struct LogDeviation {
    double percent = 0;
    bool operator==(const LogDeviation&) const = default;
};

// The reject column's mark of a judged reading: the reject mark for every verdict but a
// pass, the pass mark for a pass.
struct LogVerdictMark {
    VerdictCode verdict = VerdictPass;
    bool operator==(const LogVerdictMark&) const = default;
};

// One cell of the measurement log as a value: empty, a text, a whole number (a position,
// a part number, a start position), the time of a reading, a deviation, or a verdict
// mark. The log makes its text when it shows it.
using LogCell = std::variant<std::monostate, QString, int, QDateTime, LogDeviation, LogVerdictMark>;

// One row of the log: its ten cells, the verdict it was written with, and the numbers of
// the reading it holds (none for a row no reading was written to). The verdict names the
// deviation cells of a rejected row.
struct LogRow {
    static constexpr int ColumnCount = 10;
    std::array<LogCell, ColumnCount> cells;
    VerdictCode verdict = VerdictPass;
    std::optional<RowNumbers> numbers;
};

// A row's cells as the log shows them.
using LogRowTexts = std::array<QString, LogRow::ColumnCount>;

} // namespace recording

Q_DECLARE_METATYPE(recording::LogCell)
