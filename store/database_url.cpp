#include "store/database_url.h"

#include "store/measurement_store.h"

#include <QUrl>

#include <libpq-fe.h>

#include <algorithm>
#include <map>
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

// A server's URL as libpq reads it: the values of its keywords, percent-decoded.
std::map<QByteArray, QString> libpqReading(const QString& serverUrl)
{
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(serverUrl.toUtf8().constData(), &error);
    PQfreemem(error);
    std::map<QByteArray, QString> values;
    for (const PQconninfoOption* option = options; option && option->keyword; ++option) {
        if (option->val)
            values[option->keyword] = QString::fromUtf8(option->val);
    }
    PQconninfoFree(options);
    return values;
}

QString encoded(const QString& part, const QByteArray& kept = {})
{
    return QString::fromLatin1(QUrl::toPercentEncoding(part, kept));
}

} // namespace

// Made from what libpq reads rather than cut out of the text: QUrl and libpq part a URL
// differently ("postgresql://a?b:c@h" is a host and a query to one, a user and a password to
// the other), and only libpq's reading says which is the password. Every part is
// percent-encoded, so that no value reads as another keyword.
QString DatabaseUrl::shown() const
{
    if (kind == Kind::Sqlite)
        return kSqliteScheme + sqlitePath;
    std::map<QByteArray, QString> values = libpqReading(serverUrl);
    const QString& host = values["host"];
    const QString& port = values["port"];
    const QString& user = values["user"];
    QString shown = QStringLiteral("postgresql://");
    QStringList query;
    if (host.isEmpty() || host.startsWith(u'/')) {
        // A Unix socket, as the URL names it: in the query.
        for (const char* keyword : {"host", "port", "user"}) {
            if (!values[keyword].isEmpty())
                query << QString::fromLatin1(keyword) + u'=' + encoded(values[keyword], "/");
        }
    } else {
        if (!user.isEmpty())
            shown += encoded(user) + u'@';
        shown += encoded(host, "[]:,");
        if (!port.isEmpty())
            shown += u':' + encoded(port, ",");
    }
    shown += u'/' + encoded(values["dbname"]);
    if (!query.isEmpty())
        shown += u'?' + query.join(u'&');
    return shown;
}

bool DatabaseUrl::carriesPassword() const
{
    return kind == Kind::Postgres && !libpqReading(serverUrl)["password"].isEmpty();
}

namespace {

// libpq reads a URL up to its first NUL, QUrl to its end: a URL must mean the same to both.
bool holdsControlCharacters(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

} // namespace

std::variant<DatabaseUrl, QString> ReadDatabaseUrl(const QString& text)
{
    if (holdsControlCharacters(text))
        return QStringLiteral("a database URL holds no control characters (a line end, a tab, a NUL)");
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
