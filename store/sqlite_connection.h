#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

class SqliteStatement;

// One connection to an SQLite file. Every failure is a StoreError naming the file, what was
// being done and SQLite's own reason.
class SqliteConnection {
public:
    // Opens the file, creating it when it is not there.
    explicit SqliteConnection(const QString& path);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    const QString& path() const { return m_path; }
    // Statements that return no rows, one or several.
    void execute(const char* sql, const char* doing);
    // A single integer, as PRAGMA user_version gives it.
    qint64 integer(const char* sql, const char* doing);

    [[noreturn]] void fail(const char* doing) const;
    sqlite3* handle() const { return m_db; }

private:
    QString m_path;
    sqlite3* m_db = nullptr;
};

// A prepared statement of a connection, bound by position from 1, stepped, and reset for
// the next use.
class SqliteStatement {
public:
    SqliteStatement(SqliteConnection& connection, const char* sql, const char* doing);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& bind(int index, const QString& text);
    SqliteStatement& bind(int index, qint64 number);
    SqliteStatement& bind(int index, double number);
    SqliteStatement& bind(int index, const std::optional<double>& number);
    SqliteStatement& bind(int index, const std::optional<qint64>& number);
    SqliteStatement& bindNull(int index);

    // Runs one step: true while it yields a row. The statement is reset once it is done.
    bool step();
    // Runs it to the end and resets it.
    void run();

    QString text(int column) const;
    qint64 integer(int column) const;
    std::optional<double> real(int column) const;
    bool isNull(int column) const;

    // The row as it is stored, for code that copies rows whatever their columns.
    enum class Type { Integer, Real, Text, Blob, Null };
    int columns() const;
    QByteArray name(int column) const;
    Type type(int column) const;
    double number(int column) const;
    // Valid until the next step.
    QByteArrayView utf8(int column) const;

private:
    SqliteConnection& m_connection;
    sqlite3_stmt* m_statement = nullptr;
    const char* m_doing;
};

// BEGIN IMMEDIATE ... COMMIT, rolled back when it is left by an exception.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteConnection& connection);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;
    void commit();

private:
    SqliteConnection& m_connection;
    bool m_done = false;
};

// BEGIN ... COMMIT around reads alone: the statements in it see one moment of the file, and
// writers of other connections go on meanwhile (the write-ahead log keeps the moment).
class SqliteSnapshot {
public:
    explicit SqliteSnapshot(SqliteConnection& connection);
    ~SqliteSnapshot();
    SqliteSnapshot(const SqliteSnapshot&) = delete;
    SqliteSnapshot& operator=(const SqliteSnapshot&) = delete;

private:
    SqliteConnection& m_connection;
};

} // namespace store
