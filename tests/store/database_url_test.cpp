// The URLs that name a database: what each means, what is refused and why, and that a
// password is never shown.
#include "qt_printers.h"
#include "store/database_url.h"

#include <gtest/gtest.h>

namespace {

using store::DatabaseUrl;

TEST(DatabaseUrl, EachFormIsReadOrRefusedWithItsReason)
{
    struct Case {
        const char* text;
        std::optional<DatabaseUrl::Kind> kind; // none: refused
        const char* problemPart;
    };
    const Case cases[] = {
        {"sqlite:///var/lib/rlc/bench.sqlite", DatabaseUrl::Kind::Sqlite, ""},
        {"postgresql://ann@db.example:5433/lab", DatabaseUrl::Kind::Postgres, ""},
        {"postgresql:///lab?host=/run/postgresql&user=ann", DatabaseUrl::Kind::Postgres, ""},
        {"postgres://db/lab", DatabaseUrl::Kind::Postgres, ""},
        {"sqlite://relative.sqlite", std::nullopt, "absolute path"},
        {"mysql://db/lab", std::nullopt, "sqlite:///"},
        {"", std::nullopt, "not ''"},
        {"postgresql://db/lab?nosuchoption=1", std::nullopt, "nosuchoption"},
        // libpq would read it only up to the line end.
        {"postgresql://ann:s3cret@\n/lab", std::nullopt, "no control characters"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto read = store::ReadDatabaseUrl(QString::fromUtf8(c.text));
        if (c.kind) {
            ASSERT_TRUE(std::holds_alternative<DatabaseUrl>(read)) << std::get<QString>(read).toStdString();
            EXPECT_EQ(std::get<DatabaseUrl>(read).kind, *c.kind);
        } else {
            ASSERT_TRUE(std::holds_alternative<QString>(read));
            EXPECT_TRUE(std::get<QString>(read).contains(QString::fromUtf8(c.problemPart)))
                << std::get<QString>(read).toStdString();
        }
    }
}

TEST(DatabaseUrl, APasswordIsNeverShown)
{
    // The last: a host and a query to a web address, a user and a password to libpq.
    for (const char* text : {"postgresql://ann:s3cret@db/lab", "postgresql:///lab?host=/tmp&password=s3cret&user=ann",
                             "postgresql://a?n:s3cret@db/lab"}) {
        SCOPED_TRACE(text);
        const auto read = store::ReadDatabaseUrl(QString::fromUtf8(text));
        ASSERT_TRUE(std::holds_alternative<DatabaseUrl>(read));
        const QString shown = std::get<DatabaseUrl>(read).shown();
        EXPECT_FALSE(shown.contains(QStringLiteral("s3cret"))) << shown.toStdString();
        EXPECT_FALSE(std::get<DatabaseUrl>(store::ReadDatabaseUrl(shown)).carriesPassword()) << shown.toStdString();
        EXPECT_TRUE(shown.contains(QStringLiteral("lab"))) << shown.toStdString();
        EXPECT_EQ(std::get<DatabaseUrl>(read).serverUrl, QString::fromUtf8(text)) << "libpq gets it as given";
    }
}

TEST(DatabaseUrl, ASqliteUrlNamesItsFile)
{
    const auto read = store::ReadDatabaseUrl(QStringLiteral("sqlite:///var/lib/rlc/bench.sqlite"));
    ASSERT_TRUE(std::holds_alternative<DatabaseUrl>(read));
    EXPECT_EQ(std::get<DatabaseUrl>(read).sqlitePath, QStringLiteral("/var/lib/rlc/bench.sqlite"));
}

} // namespace
