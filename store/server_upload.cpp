#include "store/server_upload.h"

#include "store/forwarded_tables.h"
#include "store/server_connection.h"
#include "store/unsent_batch.h"

namespace store {
namespace {

QByteArray incoming(const ForwardedTable& table)
{
    return QByteArray("incoming_") + table.name;
}

} // namespace

void PrepareUpload(ServerConnection& server)
{
    for (const ForwardedTable* table : kForwardedTables)
        server.execute("CREATE TEMPORARY TABLE " + incoming(*table) + " (LIKE " + table->name
                       + ") ON COMMIT DELETE ROWS");
}

void Upload(ServerConnection& server, const UnsentBatch& batch)
{
    ServerTransaction transaction(server);
    for (const UnsentRows& rows : batch.tables) {
        const ForwardedTable& table = *rows.table;
        server.copyIn("COPY " + incoming(table) + " (" + rows.columns + ") FROM STDIN", rows.lines);
        server.execute(QByteArray("INSERT INTO ") + table.name + " (" + rows.columns + ") SELECT " + rows.columns
                       + " FROM " + incoming(table) + " ON CONFLICT " + table.onConflict);
    }
    transaction.commit();
}

} // namespace store
