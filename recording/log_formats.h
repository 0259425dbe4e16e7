#pragma once
#include "recording/inline_text.h"

#include <QChar>
#include <QDateTime>
#include <QString>

#include <optional>

namespace recording {

// ISO 8601 with the UTC offset of the time's own zone ("2024-05-17T14:03:09+02:00"), for
// files that other programs read.
QString IsoTimestamp(const QDateTime& when);

// "dd.mm.yy hh:mm:ss", two digits each, 24-hour clock, with the given time separator.
QString FormatLogTimestamp(const QDateTime& when, QChar timeSeparator);
// The same characters in place, for an export that only measures most of them.
InlineText LogTimestampText(const QDateTime& when, QChar timeSeparator);
// The time that text stands for: whole seconds, and a two-digit year read as 20yy. Invalid
// when the text names no valid date (an invalid time shows as "00.00.00 00:00:00").
QDateTime LogTimestampAsShown(const QDateTime& when);
// The date and time of day of LogTimestampAsShown, or none where that is invalid, without
// building its local QDateTime where nothing can differ: building one asks the system for its
// time zone each time, which an export of a hundred thousand times cannot afford.
struct ShownDateTime {
    QDate date;
    QTime time;
};
std::optional<ShownDateTime> LogTimestampFieldsAsShown(const QDateTime& when);

// A percent deviation as the log shows it: rounded to four significant digits but to no
// more than two decimals, then printed with exactly two decimals ("1.23", "123.50",
// "1235.00"). Beyond four digits before the separator the value switches to exponent
// notation with four significant digits: 12345.6 gives "1.235E+04".
QString FormatDeviation(double percent, QChar decimalSeparator);
// The same characters in place with "." as the separator.
InlineText DeviationDigits(double percent);
// The number those digits stand for, from the same rounding: 1.23456 gives 1.23, 12345.6
// gives 12350, -0.001 a negative zero. None for a deviation that is not finite, or that is
// no double once rounded.
std::optional<double> DeviationAsShown(double percent);

// The user's separators, for callers that show texts to the user.
QChar SystemDecimalSeparator();
QChar SystemTimeSeparator();

} // namespace recording
