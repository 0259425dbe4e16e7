#include "store/database_url.h"

#include "store/measurement_store.h"

#include <QUrl>
#include <QUrlQuery>

#include <libpq-fe.h>

#include <optional>

namespace store {
namespace {

const QString kSqliteScheme = QStringLiteral("sqlite://");

// libpq's own reading of the URL, so that what it would refuse later is refused now.
std::optional<QString> serverUrlProblem(const QString& text)
{
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(text.toUtf8().constData(), &error);
    if (options) {
        PQconninfoFree(options);
        return std::nullopt;
    }
    const QString reason = error ? QString::fromUtf8(error).trimmed() : QStringLiteral("out of memory");
    PQfreemem(error);
    return reason;
}

} // namespace

QString DatabaseUrl::shown() const
{
    if (kind == Kind::Sqlite)
        return kSqliteScheme + sqlitePath;
    QUrl url(serverUrl);
    QUrlQuery query(url);
    query.removeAllQueryItems(QStringLiteral("password"));
    url.setQuery(query);
    return url.toString(QUrl::RemovePassword);
}

std::variant<DatabaseUrl, QString> ReadDatabaseUrl(const QString& text)
{
    if (text.startsWith(kSqliteScheme)) {
        const QString path = text.mid(kSqliteScheme.size());
        if (!path.startsWith(u'/'))
            return QStringLiteral("a SQLite database is named sqlite:///path/file.sqlite, with an absolute path, not "
                                  "'%1'")
                .arg(text);
        return DatabaseUrl{DatabaseUrl::Kind::Sqlite, path, {}};
    }
    if (text.startsWith(QStringLiteral("postgresql://")) || text.startsWith(QStringLiteral("postgres://"))) {
        if (const std::optional<QString> problem = serverUrlProblem(text))
            return QStringLiteral("the PostgreSQL URL cannot be read: %1").arg(*problem);
        return DatabaseUrl{DatabaseUrl::Kind::Postgres, {}, text};
    }
    return QStringLiteral("a database is named sqlite:///path/file.sqlite or postgresql://user@host:port/dbname, "
                          "not '%1'")
        .arg(text);
}

DatabaseChoice ChooseDatabase(const std::optional<DatabaseUrl>& named)
{
    if (named && named->kind == DatabaseUrl::Kind::Sqlite)
        return {named->sqlitePath, false};
    return {MeasurementStore::defaultPath(), named.has_value()};
}

} // namespace store
