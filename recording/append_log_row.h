#pragma once
#include "recording/bin.h"
#include "recording/reading_values.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace recording {

class MeasurementLogModel;

enum class LogMode {
    SinglePart, // rows one below the other from the start position on
    MultiPart,  // each part of the profile owns the row of its number
};

// Start positions stop here; further rows overwrite this row.
constexpr int MaxStartPosition = 100000;

// What the window knows at the moment a reading is logged.
struct LogRowInput {
    LogMode mode = LogMode::SinglePart;
    int startPosition = 1; // the start position box's, a whole number
    int selectedPart = 1;  // the part number box's
    QDateTime timestamp;

    QString primaryLetter, primaryValue; // as the display shows them
    QString secondaryLetter, secondaryValue;
    int serPer = 0;                   // 1 series, 0 parallel
    QString seriesText, parallelText; // Dlang2 items 2 and 3
    int freqIndex = 0;                // 0: the meter reported no test frequency
    QString freqText, levelText;
    ReadingValues values; // the same reading as numbers

    int verdict = 0; // a VerdictCode
    double primaryDeviation = 0, secondaryDeviation = 0;
    bool primaryToleranceOn = false, secondaryToleranceOn = false;
    std::optional<bins::Bin> bin; // none while the part has no bin table
};

struct LogRowResult {
    int writtenRow = 0;    // grid row that received the reading; the window makes it current
    int logRow = 0;        // LogRow: one past the written row
    int startPosition = 1; // the next start position (unchanged in multi-part mode)
};

// Writes one reading into the log: the row of the selected part, or the row at the start
// position which then advances (up to MaxStartPosition). The grid grows so that the
// written row exists. The time is written in single-part mode only (in multi-part mode the
// part name stays); the verdict mark only when at least one tolerance is on, so that a row
// overwritten with both tolerances off keeps its old verdict; a deviation whose tolerance
// is off is written empty.
LogRowResult AppendLogRow(MeasurementLogModel& log, const LogRowInput& input);

} // namespace recording
