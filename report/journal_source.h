#pragma once
#include "report/lot.h"

#include <QByteArrayView>
#include <QString>

namespace report {

// A lot rebuilt from a recording journal alone. The journal's first line names its columns;
// its readings are the lines with an empty Event, read from the columns Timestamp and
// verdict, the numeric columns, bin, part_number, part_name, primary_nominal, primary_lsl and
// primary_usl (a journal of an older program, without the columns after the numeric ones,
// reads as one part without limits or bins). An event line "bin table" followed by a table
// file's text puts that table in force for its part; "bin table" alone removes it. Other
// events are passed over.
//
// A journal that cannot be read is refused whole, as a ReportError (usage) naming the file,
// the line and the reason: a report of part of a lot would misstate it.
Lot ReadJournal(const QString& path, const LotFilter& filter = {});
// The same from the journal's bytes; `name` stands for the file in the reasons.
Lot ReadJournalBytes(QByteArrayView bytes, const QString& name, const LotFilter& filter = {});

} // namespace report
