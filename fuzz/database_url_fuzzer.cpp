// The database URL a user names (rlc-record --db, RLC_DATABASE, the bench window). A text is
// read or refused in words; a SQLite file is named by an absolute path, and its URL shown
// reads back as the same file; a server's URL is kept as given, for libpq alone to read,
// and what is shown of it carries no password: libpq reads none from it, and the password
// the URL gave is in none of its parts but where another value of the URL has the same
// letters.
//
// The input: the URL in UTF-8.
#include "fuzz/fuzz_property.h"
#include "store/database_url.h"

#include <QRegularExpression>
#include <QUrl>

#include <libpq-fe.h>

#include <cstdint>
#include <memory>

namespace {

using fuzz::require;
using store::DatabaseUrl;

// Shorter passwords are too likely to be spelt by the scheme, a host or a user as well.
constexpr qsizetype kShortestTellingPassword = 4;

struct ConninfoDeleter {
    void operator()(PQconninfoOption* options) const { PQconninfoFree(options); }
};

// libpq's reading of a URL: its password, and all its other values one after the other.
struct ServerUrlReading {
    bool read = false;
    QString password;
    QString otherValues;
};

ServerUrlReading readByLibpq(const QString& url)
{
    char* error = nullptr;
    const std::unique_ptr<PQconninfoOption, ConninfoDeleter> options(PQconninfoParse(url.toUtf8().constData(), &error));
    PQfreemem(error);
    ServerUrlReading reading;
    if (!options)
        return reading;
    reading.read = true;
    for (const PQconninfoOption* option = options.get(); option->keyword; ++option) {
        if (!option->val)
            continue;
        const QString value = QString::fromUtf8(option->val);
        if (qstrcmp(option->keyword, "password") == 0)
            reading.password = value;
        else
            reading.otherValues += value + u'\n';
    }
    return reading;
}

void requireSqliteUrl(const DatabaseUrl& url, const QString& text)
{
    const auto details = [&] { return text; };
    require(url.sqlitePath.startsWith(u'/'), "a SQLite file is named by an absolute path", details);
    const auto reread = store::ReadDatabaseUrl(url.shown());
    require(std::holds_alternative<DatabaseUrl>(reread) && std::get<DatabaseUrl>(reread).sqlitePath == url.sqlitePath,
            "a SQLite file's URL shown reads back as the same file", [&] { return text + " shown as " + url.shown(); });
}

void requireServerUrl(const DatabaseUrl& url, const QString& text)
{
    require(url.serverUrl == text, "a server's URL is kept as given, for libpq to read",
            [&] { return text + " kept as " + url.serverUrl; });
    const QString shown = url.shown();
    const auto details = [&] { return text + " shown as " + shown; };
    require(readByLibpq(shown).password.isEmpty(), "libpq reads no password from a URL shown", details);
    const ServerUrlReading given = readByLibpq(text);
    require(given.read, "a server's URL taken is one libpq reads", details);
    if (given.password.size() < kShortestTellingPassword)
        return;
    // Part by part, each decoded: a password spelt across two parts, or the same as the
    // scheme or a keyword, is no password shown.
    static const QRegularExpression delimiters(QStringLiteral("[/:@?&=,\\[\\]]"));
    const QString others = QStringLiteral("postgresql\nhost\nport\nuser\n") + given.otherValues;
    for (const QString& part : shown.split(delimiters, Qt::SkipEmptyParts)) {
        const QString seen = QUrl::fromPercentEncoding(part.toUtf8());
        require(!seen.contains(given.password, Qt::CaseInsensitive)
                    || others.contains(given.password, Qt::CaseInsensitive),
                "the password is nowhere in the URL shown", details);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto read = store::ReadDatabaseUrl(text);
    if (const auto* problem = std::get_if<QString>(&read)) {
        require(!problem->trimmed().isEmpty(), "a URL refused is refused in words", [&] { return text; });
        return 0;
    }
    const DatabaseUrl& url = std::get<DatabaseUrl>(read);
    if (url.kind == DatabaseUrl::Kind::Sqlite)
        requireSqliteUrl(url, text);
    else
        requireServerUrl(url, text);
    return 0;
}
