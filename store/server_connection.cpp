#include "store/server_connection.h"

#include "store/server_hang_up.h"

#include <QDeadlineTimer>

#include <libpq-fe.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace store {
namespace {

// Where the URL and the PG* variables say nothing: a server whose network went away is
// noticed within seconds rather than TCP's quarter of an hour, and the server's own lists
// name the program.
struct Default {
    const char* keyword;
    const char* value;
    const char* variable; // the PG* variable that says it instead, or nullptr
};
const QByteArray kConnectTimeout = QByteArray::number(ServerConnection::kConnectTimeoutS);
const Default kDefaults[] = {
    {"connect_timeout", kConnectTimeout.constData(), "PGCONNECT_TIMEOUT"},
    {"application_name", "rlc-logger", "PGAPPNAME"},
    {"keepalives_idle", "5", nullptr},
    {"keepalives_interval", "2", nullptr},
    {"keepalives_count", "3", nullptr},
    {"tcp_user_timeout", "10000", nullptr},
};

const QString kHungUp = QStringLiteral("the connection was hung up");

// The time libpq's blocking connect would give each address: connect_timeout as the URL,
// the PG* variables or the defaults above say, at least two seconds as libpq has it; none
// when it is zero or not set.
std::optional<std::chrono::seconds> connectTimeout(PGconn* connection)
{
    constexpr std::chrono::seconds kShortest{2};
    PQconninfoOption* options = PQconninfo(connection);
    std::optional<std::chrono::seconds> limit;
    for (const PQconninfoOption* option = options; option && option->keyword; ++option) {
        if (qstrcmp(option->keyword, "connect_timeout") != 0 || !option->val)
            continue;
        bool read = false;
        const int seconds = QByteArray(option->val).trimmed().toInt(&read);
        if (read && seconds > 0)
            limit = std::max(std::chrono::seconds(seconds), kShortest);
    }
    PQconninfoFree(options);
    return limit;
}

struct ResultDeleter {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

QString wordsOf(const char* message)
{
    return QString::fromUtf8(message).simplified();
}

} // namespace

ServerConnection::ServerConnection(const QString& url, ServerHangUp* hangUp) : m_hangUp(hangUp)
{
    // libpq keeps the last value of a keyword: the URL, expanded from dbname, comes last so
    // that what it says wins over the defaults before it.
    std::vector<const char*> keywords;
    std::vector<const char*> values;
    for (const Default& fallback : kDefaults) {
        if (fallback.variable && qEnvironmentVariableIsSet(fallback.variable))
            continue;
        keywords.push_back(fallback.keyword);
        values.push_back(fallback.value);
    }
    const QByteArray urlBytes = url.toUtf8();
    keywords.push_back("dbname");
    values.push_back(urlBytes.constData());
    keywords.push_back(nullptr);
    values.push_back(nullptr);
    m_connection = PQconnectStartParams(keywords.data(), values.data(), 1);
    if (!m_connection)
        throw ServerError(QStringLiteral("out of memory"));
    try {
        connect();
    } catch (const ServerError&) {
        close();
        throw;
    }
}

ServerConnection::~ServerConnection()
{
    close();
}

// libpq's own steps to a connection, waited for here rather than inside libpq, so that a
// hang-up ends the wait at once. libpq leaves the time limit of each address it tries to
// the one who waits: as libpq's blocking connect would, an address that stays silent for
// connect_timeout is given up, its socket shut down, and libpq goes on to the next.
void ServerConnection::connect()
{
    const std::optional<std::chrono::seconds> limit = connectTimeout(m_connection);
    bool silent = false; // the last address tried was given up
    PostgresPollingStatusType step = PGRES_POLLING_WRITING;
    int socket = -1;
    QDeadlineTimer deadline;
    while (PQstatus(m_connection) != CONNECTION_BAD && step != PGRES_POLLING_OK && step != PGRES_POLLING_FAILED) {
        if (PQsocket(m_connection) != socket) {
            socket = PQsocket(m_connection);
            deadline = limit ? QDeadlineTimer(*limit) : QDeadlineTimer(QDeadlineTimer::Forever);
            silent = false;
            if (m_hangUp)
                m_hangUp->waitOn(socket);
        }
        if (m_hangUp && m_hangUp->hungUp())
            throw ServerError(kHungUp);
        pollfd wait{socket, short(step == PGRES_POLLING_READING ? POLLIN : POLLOUT), 0};
        const int ready = ::poll(&wait, 1, deadline.isForever() ? -1 : int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue; // libpq must not be asked before the socket is ready
        if (ready == 0) {
            silent = true;
            ::shutdown(socket, SHUT_RDWR);
        }
        step = PQconnectPoll(m_connection);
    }
    if (m_hangUp && m_hangUp->hungUp())
        throw ServerError(kHungUp);
    if (PQstatus(m_connection) != CONNECTION_OK) {
        QString reason = wordsOf(PQerrorMessage(m_connection));
        if (silent)
            reason += QStringLiteral(" (no answer within %1 s)").arg(limit->count());
        throw ServerError(reason);
    }
}

void ServerConnection::close()
{
    if (m_hangUp)
        m_hangUp->stopWaiting();
    PQfinish(m_connection);
    m_connection = nullptr;
}

void ServerConnection::execute(const QByteArray& sql)
{
    const Result result(PQexec(m_connection, sql.constData()));
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        fail();
}

QList<QStringList> ServerConnection::select(const QByteArray& sql)
{
    const Result result(PQexec(m_connection, sql.constData()));
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK)
        fail();
    QList<QStringList> rows;
    for (int row = 0; row < PQntuples(result.get()); ++row) {
        QStringList texts;
        for (int column = 0; column < PQnfields(result.get()); ++column)
            texts << (PQgetisnull(result.get(), row, column)
                          ? QString()
                          : QString::fromUtf8(PQgetvalue(result.get(), row, column)));
        rows << texts;
    }
    return rows;
}

void ServerConnection::copyIn(const QByteArray& command, const QByteArray& rows)
{
    {
        const Result start(PQexec(m_connection, command.constData()));
        if (PQresultStatus(start.get()) != PGRES_COPY_IN)
            fail();
    }
    // A failure of either still ends the copy: the result below says why.
    if (PQputCopyData(m_connection, rows.constData(), int(rows.size())) == 1)
        PQputCopyEnd(m_connection, nullptr);
    else
        PQputCopyEnd(m_connection, "the rows could not be sent");
    std::optional<QString> failure; // the first, before later results replace the words
    while (const Result result{PQgetResult(m_connection)})
        if (PQresultStatus(result.get()) != PGRES_COMMAND_OK && !failure)
            failure = wordsOf(PQresultErrorMessage(result.get()));
    if (failure)
        throw ServerError(*failure);
}

void ServerConnection::fail() const
{
    throw ServerError(wordsOf(PQerrorMessage(m_connection)));
}

// --- transactions --------------------------------------------------------------------------

ServerTransaction::ServerTransaction(ServerConnection& connection) : m_connection(connection)
{
    m_connection.execute("BEGIN");
}

ServerTransaction::~ServerTransaction()
{
    if (m_done)
        return;
    try {
        m_connection.execute("ROLLBACK");
    } catch (const ServerError&) {
        // The connection is gone, and the transaction with it; the error is on its way.
    }
}

void ServerTransaction::commit()
{
    m_connection.execute("COMMIT");
    m_done = true;
}

} // namespace store
