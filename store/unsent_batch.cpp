#include "store/unsent_batch.h"

#include "store/copy_text.h"
#include "store/forwarded_tables.h"
#include "store/sqlite_connection.h"

namespace store {
namespace {

QByteArray selectUnsent(const ForwardedTable& table)
{
    return QByteArray("SELECT t.* FROM unsent u JOIN ") + table.name + " t ON t." + table.idColumn
        + " = u.id WHERE u.kind = '" + table.kind + "' LIMIT ?1";
}

QByteArray deleteSent(const ForwardedTable& table)
{
    QByteArray sql("DELETE FROM unsent WHERE kind = ?1 AND id = ?2");
    if (table.changingColumn)
        sql += QByteArray(" AND (SELECT ") + table.changingColumn + " FROM " + table.name + " WHERE " + table.idColumn
            + " = ?2) IS ?3";
    return sql;
}

int columnNamed(const SqliteStatement& row, const char* name)
{
    for (int column = 0; column < row.columns(); ++column)
        if (row.name(column) == name)
            return column;
    return -1;
}

UnsentRows readTable(SqliteConnection& local, const ForwardedTable& table, int limit)
{
    SqliteStatement select(local, selectUnsent(table).constData(), "read what waits for the server");
    select.bind(1, qint64(limit));
    UnsentRows rows{&table, {}, {}, {}, {}};
    const int id = columnNamed(select, table.idColumn);
    const int changing = table.changingColumn ? columnNamed(select, table.changingColumn) : -1;
    for (int column = 0; column < select.columns(); ++column)
        rows.columns += (column > 0 ? ", " : "") + select.name(column);
    while (select.step()) {
        AppendCopyLine(rows.lines, select);
        rows.ids << select.text(id);
        if (changing >= 0)
            rows.sentValues << select.text(changing);
    }
    return rows;
}

} // namespace

qsizetype UnsentBatch::rows() const
{
    qsizetype count = 0;
    for (const UnsentRows& table : tables)
        count += table.ids.size();
    return count;
}

qsizetype UnsentBatch::readings() const
{
    for (const UnsentRows& table : tables)
        if (table.table == &kReadingsTable)
            return table.ids.size();
    return 0;
}

UnsentBatch ReadUnsent(SqliteConnection& local, int limit)
{
    UnsentBatch batch;
    const SqliteSnapshot moment(local);
    int room = limit;
    for (const ForwardedTable* table : kForwardedTables) {
        if (room == 0)
            break;
        UnsentRows rows = readTable(local, *table, room);
        room -= int(rows.ids.size());
        if (!rows.ids.isEmpty())
            batch.tables.push_back(std::move(rows));
    }
    return batch;
}

void MarkSent(SqliteConnection& local, const UnsentBatch& batch)
{
    SqliteTransaction transaction(local);
    for (const UnsentRows& rows : batch.tables) {
        SqliteStatement remove(local, deleteSent(*rows.table).constData(), "note what the server has");
        const QString kind = QString::fromLatin1(rows.table->kind);
        for (qsizetype row = 0; row < rows.ids.size(); ++row) {
            remove.bind(1, kind).bind(2, rows.ids[row]);
            if (rows.table->changingColumn)
                remove.bind(3, rows.sentValues[row]);
            remove.run();
        }
    }
    transaction.commit();
}

} // namespace store
