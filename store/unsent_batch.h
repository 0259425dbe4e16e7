#pragma once
#include <QByteArray>
#include <QStringList>

#include <vector>

namespace store {

class SqliteConnection;
struct ForwardedTable;

// Rows of one table that wait for the server, as COPY text, with what marks them sent.
struct UnsentRows {
    const ForwardedTable* table = nullptr;
    QByteArray columns; // "a, b, c": the local table's, which the server's table has too
    QByteArray lines;   // in COPY's text format
    QStringList ids;
    QStringList sentValues; // of the table's changing column, row by row, when it has one
};

struct UnsentBatch {
    std::vector<UnsentRows> tables; // those with rows, in the order they go
    qsizetype rows() const;
    qsizetype readings() const;
};

// At most limit rows of what waits, read at one moment of the file: recordings first, so
// that the recording of every event and reading in the batch is on the server already or
// goes in the same batch.
UnsentBatch ReadUnsent(SqliteConnection& local, int limit);

// Once the server has committed the batch: its rows no longer wait, except a row that
// changed after it was read, which goes again.
void MarkSent(SqliteConnection& local, const UnsentBatch& batch);

} // namespace store
