#pragma once

namespace store {

class SqliteConnection;

// The version of the local database's layout that this program writes. PRAGMA user_version
// holds a file's version: an older file is upgraded step by step, in one transaction, and a
// newer one, from a later program, is refused without a change.
inline constexpr int kLocalSchemaVersion = 3;

// Makes the file durable and crash-safe (write-ahead log, full synchronisation, foreign
// keys) and brings its layout to this program's version. StoreError when it cannot.
void PrepareLocalSchema(SqliteConnection& connection);

// The layout of one version alone, for tests that need a file as an older program left it.
void CreateLocalSchemaUpTo(SqliteConnection& connection, int version);

} // namespace store
