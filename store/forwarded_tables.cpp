#include "store/forwarded_tables.h"

#include "store/sqlite_connection.h"

namespace store {

qint64 CountUnsentReadings(SqliteConnection& connection)
{
    return connection.integer("SELECT count(*) FROM unsent WHERE kind = 'reading'", "count what waits");
}

} // namespace store
