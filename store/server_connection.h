#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct pg_conn;

namespace store {

class ServerHangUp;

// A server that cannot be reached, or that refused what was asked, in libpq's or the
// server's own words.
class ServerError {
public:
    explicit ServerError(QString reason) : m_reason(std::move(reason)) {}
    const QString& reason() const { return m_reason; }

private:
    QString m_reason;
};

// One connection to a PostgreSQL server. libpq reads the URL, ~/.pgpass and the PG*
// variables itself, so credentials never pass through this program. Every failure is a
// ServerError. With a hang-up, another thread may end at once whatever the connection waits
// for, its making included: it then fails, and stays failed.
class ServerConnection {
public:
    // How long an attempt to connect may take, unless the URL or PGCONNECT_TIMEOUT says.
    static constexpr int kConnectTimeoutS = 5;

    explicit ServerConnection(const QString& url, ServerHangUp* hangUp = nullptr);
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    // Statements that return no rows, one or several.
    void execute(const QByteArray& sql);
    // Every row of a query as texts; NULL is a null string.
    QList<QStringList> select(const QByteArray& sql);
    // COPY ... FROM STDIN with the rows in its text format.
    void copyIn(const QByteArray& command, const QByteArray& rows);

private:
    void connect();
    void close();
    [[noreturn]] void fail() const;

    ServerHangUp* m_hangUp;
    pg_conn* m_connection = nullptr;
};

// BEGIN ... COMMIT, rolled back when it is left by an exception on a connection that is
// still there.
class ServerTransaction {
public:
    explicit ServerTransaction(ServerConnection& connection);
    ~ServerTransaction();
    ServerTransaction(const ServerTransaction&) = delete;
    ServerTransaction& operator=(const ServerTransaction&) = delete;
    void commit();

private:
    ServerConnection& m_connection;
    bool m_done = false;
};

} // namespace store
