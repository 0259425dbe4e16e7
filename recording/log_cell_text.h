#pragma once
#include "recording/log_cell.h"

#include <QChar>
#include <QString>

namespace recording {

// What the log needs to show its cells that is no value of a cell: the marks of the
// current language and the user's separators.
struct LogDisplayTexts {
    QString rejectMark; // "+"
    QString passMark;   // "-"
    QChar decimalSeparator = u'.';
    QChar timeSeparator = u':';
};

// The text the log shows for a cell: a whole number in digits, a time as
// FormatLogTimestamp, a deviation as FormatDeviation, a verdict mark as the reject or the
// pass mark; a text as it is, an empty cell empty.
QString LogCellText(const LogCell& cell, const LogDisplayTexts& texts);

} // namespace recording
