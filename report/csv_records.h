#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <deque>

namespace report {

// Reads CSV records as the program's files write them (recording::CsvLine): fields
// separated by commas, a field in double quotes may hold commas, doubled quotes and line
// ends, and a record ends with LF or CR LF. Text is UTF-8; a byte-order mark at the start
// is passed over.
//
// Fields are views into the bytes read, so that a journal of a million lines is not copied
// field by field; only a quoted field with doubled quotes is copied, to undouble them.
class CsvRecords {
public:
    using Fields = QList<QByteArrayView>;

    explicit CsvRecords(QByteArrayView bytes);

    // The next record's fields, valid until the next call, or null at the end. A record that
    // cannot be read (a quote left open, text after a closing quote) ends the reading:
    // problem() says why.
    const Fields* next();
    // The line the last record began on, from 1.
    int line() const { return m_recordLine; }
    const QString& problem() const { return m_problem; }

private:
    bool readField();
    bool readQuotedField();
    bool atFieldEnd() const;

    QByteArrayView m_bytes;
    qsizetype m_at = 0;
    int m_line = 1;
    int m_recordLine = 0;
    QString m_problem;
    Fields m_fields;
    std::deque<QByteArray> m_undoubled; // what the quoted fields of the record with "" became
};

} // namespace report
