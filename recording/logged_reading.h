#pragma once
#include "recording/reference.h"
#include "recording/row_numbers.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace recording {

// The part a reading is taken for: its number in the profile and its name at that moment.
// A recording without a profile or part has neither.
struct PartInForce {
    std::optional<int> number;
    QString name;
    bool operator==(const PartInForce&) const = default;
};

// One reading as the recording keeps it, for whoever stores it beyond the table: where it
// went, when it was taken, its numbers and judgement, and what it was judged against.
struct LoggedReading {
    int position = 0; // the log's row
    QDateTime when;
    RowNumbers numbers;
    PartInForce part;
    ReferenceValues reference;
};

} // namespace recording
