#pragma once
#include "recording/tolerance.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

namespace record {

// One recorded reading as every output takes it: the table's row as it shows it, and the
// values behind the row that files for other programs carry as numbers.
struct RecordedRow {
    static constexpr int kCellCount = 10;

    std::array<QString, kCellCount> cells; // the table's columns, as it shows them
    int position = 0;
    QDateTime when;
    recording::VerdictCode verdict = recording::VerdictPass;
    bool judged = false; // a tolerance of the part was on; without one there is no verdict
    // Percent, rounded as the table shows them; none while their tolerance is off.
    std::optional<double> primaryDeviation, secondaryDeviation;
    // The primary parameter in ohm, henry or farad; none while the meter names none.
    std::optional<double> primaryValue;
};

// The verdict for files other programs read: pass, reject-primary, reject-secondary,
// reject-both or unreadable; empty when nothing was judged.
QString VerdictWord(const RecordedRow& row);

} // namespace record
