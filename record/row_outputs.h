#pragma once
#include "record/recorded_row.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>

namespace record {

// A file, or standard output, written line by line: every line is handed on at once, so a
// reader sees each row as it comes and an end by a signal loses none. A write that fails
// is a RecordError (file not written) naming the file and the reason.
class LineFile {
public:
    static std::unique_ptr<LineFile> standardOutput();
    // `what` says what the file is for ("the CSV file"), for the messages.
    static std::unique_ptr<LineFile> create(const QString& path, const QString& what);

    bool isStandardOutput() const { return m_name.isEmpty(); }
    void write(const QByteArray& bytes);

private:
    LineFile() = default;
    [[noreturn]] void fail(const QString& doing) const;

    QFile m_file;
    QString m_name; // "the CSV file /path"; empty for standard output
};

// Where recorded rows go as they come.
class RowOutput {
public:
    virtual ~RowOutput() = default;
    virtual void write(const RecordedRow& row) = 0;
};

// CSV: the table's column titles, then Timestamp and Verdict, then the numeric columns; a
// row per reading. A file
// starts with a UTF-8 byte-order mark, as the logger's CSV files do; standard output,
// read by other programs, does not.
class CsvRows : public RowOutput {
public:
    CsvRows(std::unique_ptr<LineFile> file, const QStringList& columnTitles);
    void write(const RecordedRow& row) override;

private:
    std::unique_ptr<LineFile> m_file;
};

// One JSON object per line and reading, its keys named for programs: position, time
// (ISO 8601), primary, secondary, circuit, frequency, level and reject as the table shows
// them, primary_deviation and secondary_deviation in percent as the table rounds them, and
// the numeric columns of the files under their names (null where a cell is empty).
class JsonRows : public RowOutput {
public:
    explicit JsonRows(std::unique_ptr<LineFile> file);
    void write(const RecordedRow& row) override;

private:
    std::unique_ptr<LineFile> m_file;
};

} // namespace record
