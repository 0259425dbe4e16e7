#pragma once
#include <QString>

#include <optional>
#include <variant>

namespace store {

// Where the readings go, as a URL names it:
//   sqlite:///path/file.sqlite                       a local SQLite file (an absolute path)
//   postgresql://user@host:port/dbname               a PostgreSQL server, with everything libpq
//   postgresql:///dbname?host=/socket/dir&user=u     reads from the URL, ~/.pgpass and PG*
// The server's URL is kept as given, for libpq alone to read: credentials never pass
// through the program's own files or words.
struct DatabaseUrl {
    enum class Kind { Sqlite, Postgres };
    Kind kind = Kind::Sqlite;
    QString sqlitePath; // for Sqlite
    QString serverUrl;  // for Postgres

    // The URL as it may be said or shown: without a password.
    QString shown() const;
    // Whether libpq finds a password in a server's URL.
    bool carriesPassword() const;

    bool operator==(const DatabaseUrl&) const = default;
};

// The URL read, or why it cannot be used, in words for the user.
std::variant<DatabaseUrl, QString> ReadDatabaseUrl(const QString& text);

// Where the readings go first, and whether they go on to a server: a named SQLite file
// replaces the local one; a server's readings go through the local file.
struct DatabaseChoice {
    QString localPath;
    bool forwarding = false;
};
DatabaseChoice ChooseDatabase(const std::optional<DatabaseUrl>& named);

} // namespace store
