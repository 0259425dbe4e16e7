#pragma once
#include <QChar>
#include <QDateTime>
#include <QString>

namespace recording {

// "dd.mm.yy hh:mm:ss", two digits each, 24-hour clock, with the given time separator.
QString FormatLogTimestamp(const QDateTime& when, QChar timeSeparator);

// A percent deviation as the log shows it: rounded to four significant digits but to no
// more than two decimals, then printed with exactly two decimals ("1.23", "123.50",
// "1235.00"). Beyond four digits before the separator the value switches to exponent
// notation with four significant digits: 12345.6 gives "1.235E+04".
QString FormatDeviation(double percent, QChar decimalSeparator);

// The user's separators, for callers that show texts to the user.
QChar SystemDecimalSeparator();
QChar SystemTimeSeparator();

} // namespace recording
