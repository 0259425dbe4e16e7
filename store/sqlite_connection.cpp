#include "store/sqlite_connection.h"

#include "store/store_error.h"

#include <QDir>

#include <sqlite3.h>

namespace store {
namespace {

// A writer waits this long for another connection of the same file (the forwarder's, a
// second program) before it gives up.
constexpr int kBusyTimeoutMs = 5000;

} // namespace

SqliteConnection::SqliteConnection(const QString& path) : m_path(path)
{
    const int opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr);
    if (opened != SQLITE_OK) {
        const QString reason =
            m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(opened));
        sqlite3_close(m_db);
        m_db = nullptr;
        throw StoreError(QStringLiteral("cannot open the database %1: %2").arg(QDir::toNativeSeparators(path), reason));
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
}

SqliteConnection::~SqliteConnection()
{
    sqlite3_close(m_db);
}

void SqliteConnection::execute(const char* sql, const char* doing)
{
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(doing);
}

qint64 SqliteConnection::integer(const char* sql, const char* doing)
{
    SqliteStatement statement(*this, sql, doing);
    if (!statement.step())
        fail(doing);
    const qint64 value = statement.integer(0);
    statement.run();
    return value;
}

void SqliteConnection::fail(const char* doing) const
{
    throw StoreError(
        QStringLiteral("cannot %1 in the database %2: %3")
            .arg(QString::fromUtf8(doing), QDir::toNativeSeparators(m_path), QString::fromUtf8(sqlite3_errmsg(m_db))));
}

// --- statements ----------------------------------------------------------------------------

SqliteStatement::SqliteStatement(SqliteConnection& connection, const char* sql, const char* doing) :
    m_connection(connection), m_doing(doing)
{
    if (sqlite3_prepare_v2(connection.handle(), sql, -1, &m_statement, nullptr) != SQLITE_OK)
        connection.fail(doing);
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

SqliteStatement& SqliteStatement::bind(int index, const QString& text)
{
    if (text.isNull())
        return bindNull(index);
    const QByteArray utf8 = text.toUtf8();
    if (sqlite3_bind_text(m_statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        m_connection.fail(m_doing);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, qint64 number)
{
    if (sqlite3_bind_int64(m_statement, index, number) != SQLITE_OK)
        m_connection.fail(m_doing);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, double number)
{
    if (sqlite3_bind_double(m_statement, index, number) != SQLITE_OK)
        m_connection.fail(m_doing);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, const std::optional<double>& number)
{
    return number ? bind(index, *number) : bindNull(index);
}

SqliteStatement& SqliteStatement::bind(int index, const std::optional<qint64>& number)
{
    return number ? bind(index, *number) : bindNull(index);
}

SqliteStatement& SqliteStatement::bindNull(int index)
{
    if (sqlite3_bind_null(m_statement, index) != SQLITE_OK)
        m_connection.fail(m_doing);
    return *this;
}

bool SqliteStatement::step()
{
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW)
        return true;
    if (result != SQLITE_DONE) {
        sqlite3_reset(m_statement);
        m_connection.fail(m_doing);
    }
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    return false;
}

void SqliteStatement::run()
{
    while (step()) {}
}

QString SqliteStatement::text(int column) const
{
    const auto* utf8 = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return utf8 ? QString::fromUtf8(utf8, sqlite3_column_bytes(m_statement, column)) : QString();
}

qint64 SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

std::optional<double> SqliteStatement::real(int column) const
{
    if (isNull(column))
        return std::nullopt;
    return sqlite3_column_double(m_statement, column);
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

int SqliteStatement::columns() const
{
    return sqlite3_column_count(m_statement);
}

QByteArray SqliteStatement::name(int column) const
{
    return QByteArray(sqlite3_column_name(m_statement, column));
}

SqliteStatement::Type SqliteStatement::type(int column) const
{
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER: return Type::Integer;
    case SQLITE_FLOAT: return Type::Real;
    case SQLITE_TEXT: return Type::Text;
    case SQLITE_BLOB: return Type::Blob;
    default: return Type::Null;
    }
}

double SqliteStatement::number(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

QByteArrayView SqliteStatement::utf8(int column) const
{
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return QByteArrayView(bytes, sqlite3_column_bytes(m_statement, column));
}

// --- transactions --------------------------------------------------------------------------

SqliteTransaction::SqliteTransaction(SqliteConnection& connection) : m_connection(connection)
{
    m_connection.execute("BEGIN IMMEDIATE", "begin a transaction");
}

SqliteTransaction::~SqliteTransaction()
{
    if (!m_done)
        sqlite3_exec(m_connection.handle(), "ROLLBACK", nullptr, nullptr, nullptr); // the error is already on its way
}

void SqliteTransaction::commit()
{
    m_connection.execute("COMMIT", "commit");
    m_done = true;
}

SqliteSnapshot::SqliteSnapshot(SqliteConnection& connection) : m_connection(connection)
{
    m_connection.execute("BEGIN", "begin reading");
}

SqliteSnapshot::~SqliteSnapshot()
{
    sqlite3_exec(m_connection.handle(), "COMMIT", nullptr, nullptr, nullptr); // nothing was written
}

} // namespace store
