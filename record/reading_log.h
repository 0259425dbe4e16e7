#pragma once
#include "record/recorded_row.h"
#include "recording/append_log_row.h"
#include "recording/measurement_log_model.h"

#include <QStringList>

namespace localisation {
struct MainLexicons;
}
namespace recording {
class SpreadsheetTarget;
}

namespace record {

// The recording's table, as the logger's window keeps it for one part: every reading in
// the row after the last, with the column titles and marks of the lexicons' language. It
// makes each reading's row as the table shows it, and writes the whole table into a
// workbook as the window's export does. Like the window's, the table ends at its last
// start position: readings beyond it overwrite its last row.
class ReadingLog {
public:
    explicit ReadingLog(const localisation::MainLexicons& lexicons);

    QStringList columnTitles() const;
    // The reading goes into the next row (its mode and position are the log's to set).
    RecordedRow append(recording::LogRowInput reading);
    // The table is full: the next reading overwrites its last row.
    bool isFull() const { return m_startPosition == recording::MaxStartPosition && m_gridRows > m_startPosition; }
    // Every row so far, under the titles, into the target, which is then finished.
    // FileError when it cannot be written.
    void exportTo(recording::SpreadsheetTarget& target) const;

private:
    recording::MeasurementLogModel m_log;
    int m_startPosition = 1;
    int m_gridRows = 1; // the title row and the rows written, as the export counts them
};

} // namespace record
