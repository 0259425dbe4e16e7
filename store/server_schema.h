#pragma once
#include <QString>

namespace store {

class ServerConnection;

// The version of the server's layout that this program writes, kept in the table
// schema_version. Step n of the server's layout holds the tables of step n of the local
// file's, in PostgreSQL's types, so that the same rows go from one to the other.
inline constexpr int kServerSchemaVersion = 3;

// Brings the server's layout to this program's version, in one transaction, while other
// benches wait for it. ServerError when the server fails; StoreError, naming the server as
// shown, when its layout comes from a newer program, which is left as it is.
void PrepareServerSchema(ServerConnection& connection, const QString& shownUrl);

// The layout of one version alone, for tests that need a server as an older program left it.
void CreateServerSchemaUpTo(ServerConnection& connection, int version);

} // namespace store
