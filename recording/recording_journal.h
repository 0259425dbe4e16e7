#pragma once
#include "recording/log_cell.h"
#include "recording/logged_reading.h"
#include "recording/row_numbers.h"
#include "recording/tolerance.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>

#include <array>

namespace recording {

// A CSV file that receives every logged row the moment it is logged, so that a crash or a
// power cut loses at most the row being written. One file per recording start, named
// after the start time ("recording_2024-05-17_14-03-09.csv", with "_2", "_3"... when a
// file of that name exists), in UTF-8 with byte-order mark. The first line holds the ten
// column headers, "Timestamp", "Verdict" and "Event", then the numeric columns
// (NumericColumnNames) and the part's columns (PartColumnNames); each row adds its ten
// cells as the log shows them, its time in ISO 8601 with the UTC offset, its verdict code,
// an empty event, its numbers, and the part it was taken for with the nominal and the
// verdict's limits it was judged against (ReferenceColumnsOf), so that a lot can be told
// again from the journal alone. Moments that are no reading (the link went, the meter fell
// silent) are lines of their own: ten empty cells, the time, no verdict, what happened, and
// no numbers. So is every change of the bin table in force: its event is "bin table", a
// line end and the table's file as it would be written (nothing more once the table is
// gone), with the number and name of the part it belongs to. Every line is handed to the
// disk before the call returns. Failures come as FileError.
class RecordingJournal {
public:
    // Where the journals are kept: "journal" beside the state file.
    static QString defaultFolder();

    RecordingJournal(const QString& folder, const QDateTime& start, const QStringList& columnHeaders);

    const QString& path() const { return m_path; }
    // The columns after the numeric ones: part_number, part_name, primary_nominal,
    // primary_lsl, primary_usl.
    static const QStringList& PartColumnNames();

    void appendRow(const LogRowTexts& cells, const QDateTime& when, VerdictCode verdict,
                   const std::optional<RowNumbers>& numbers, const PartInForce& part,
                   const PrimaryReferenceValue& reference);
    void appendEvent(const QDateTime& when, const QString& event);
    // tableFile: the bin table's file as written, empty once the part has no table.
    void appendBinTable(const QDateTime& when, const PartInForce& part, const QString& tableFile);

private:
    void appendLine(QStringList fields, const PartInForce& part, const std::optional<PrimaryReferenceValue>& reference);
    void writeDurably(const QByteArray& bytes);
    [[noreturn]] void fail(const QString& what) const;

    QString m_path;
    QFile m_file;
};

} // namespace recording
