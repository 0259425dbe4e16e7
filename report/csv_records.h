#pragma once
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

namespace report {

// Reads CSV records as the program's files write them (recording::CsvLine): fields
// separated by commas, a field in double quotes may hold commas, doubled quotes and line
// ends, and a record ends with LF or CR LF. Text is UTF-8; a byte-order mark at the start
// is passed over.
class CsvRecords {
public:
    explicit CsvRecords(QByteArrayView bytes);

    // The next record, or none at the end. A record that cannot be read (a quote left open,
    // text after a closing quote) ends the reading: problem() says why.
    std::optional<QStringList> next();
    // The line the last record began on, from 1.
    int line() const { return m_recordLine; }
    const QString& problem() const { return m_problem; }

private:
    QByteArrayView m_bytes;
    qsizetype m_at = 0;
    int m_line = 1;
    int m_recordLine = 0;
    QString m_problem;
};

} // namespace report
