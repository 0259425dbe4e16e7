// rlc-record with a PostgreSQL server named: the server away is said once, the recording
// goes on, and at the end the recorder counts what waits; at the next start that goes too,
// and the recorder says when everything is on the server.
#include "postgres_server.h"
#include "qt_printers.h"
#include "record/record_error.h"
#include "record_program.h"
#include "store/database_url.h"
#include "store/sqlite_connection.h"

namespace {

class RecordForwardingTest : public RecordProgramTest {
public:
    void SetUp() override
    {
        RecordProgramTest::SetUp();
        ASSERT_TRUE(server.ready()) << server.problem().toStdString();
    }

    // What the recorder said in its run, and nothing of an earlier one.
    QString run(const QStringList& options)
    {
        errors.clear();
        start(options);
        EXPECT_EQ(exitCode(), record::Done) << said().toStdString();
        return said();
    }

    QString shown() const { return std::get<store::DatabaseUrl>(store::ReadDatabaseUrl(server.url())).shown(); }

    QStringList localReadingIds()
    {
        store::SqliteConnection local(path(QStringLiteral("data/RLC_Data/measurements.sqlite")));
        store::SqliteStatement ids(local, "SELECT reading_id FROM readings ORDER BY reading_id", "read the ids");
        QStringList list;
        while (ids.step())
            list << ids.text(0);
        return list;
    }

    PostgresServer server;
};

TEST_F(RecordForwardingTest, ServerAwayIsSaidOnceAndWhatWaitsGoesAtTheNextStart)
{
    reportRisingBy10Ohm();
    const QString away = run({"--db", server.url(), "--count", "20", "--csv", path(QStringLiteral("first.csv"))});
    EXPECT_EQ(away.count(QStringLiteral("The database %1 cannot be reached; ").arg(shown())), 1) << away.toStdString();
    EXPECT_TRUE(away.contains(QStringLiteral("Readings waiting for the next start: 20. They are kept in %1")
                                  .arg(path(QStringLiteral("data/RLC_Data/measurements.sqlite")))))
        << away.toStdString();
    EXPECT_EQ(rowsIn(path(QStringLiteral("first.csv"))), 20) << "the recording went on";

    ASSERT_TRUE(server.start()) << server.problem().toStdString();
    const QString back = run({"--db", server.url(), "--count", "10", "--csv", path(QStringLiteral("second.csv"))});
    EXPECT_TRUE(back.contains(QStringLiteral("Readings go to the database %1.").arg(shown()))) << back.toStdString();
    EXPECT_TRUE(back.contains(QStringLiteral("Every reading is in the database %1.").arg(shown())))
        << back.toStdString();
    EXPECT_FALSE(back.contains(QStringLiteral("cannot be reached"))) << back.toStdString();

    QStringList onServer;
    for (const QStringList& row : server.select(QStringLiteral("SELECT reading_id FROM readings ORDER BY 1")))
        onServer << row.value(0);
    EXPECT_EQ(onServer.size(), 30);
    EXPECT_EQ(onServer, localReadingIds());
    EXPECT_EQ(server.select(QStringLiteral("SELECT count(*) FROM recordings WHERE ended_at IS NOT NULL")),
              (QList<QStringList>{{QStringLiteral("2")}}));
}

// A server whose layout a newer program made: the recorder says so once, with the server
// and what to do, leaves the server alone, and keeps every reading waiting in the local
// file for a program that knows the layout.
TEST_F(RecordForwardingTest, ServerFromANewerProgramIsSaidAndTheReadingsWait)
{
    ASSERT_TRUE(server.start()) << server.problem().toStdString();
    server.execute(QStringLiteral("CREATE TABLE schema_version (version integer NOT NULL); "
                                  "INSERT INTO schema_version VALUES (99)"));
    const QString refused = run({"--db", server.url(), "--count", "5", "--csv", path(QStringLiteral("readings.csv"))});
    EXPECT_EQ(refused.count(QStringLiteral("newer version of the program (layout 99; this one knows up to")), 1)
        << refused.toStdString();
    EXPECT_TRUE(refused.contains(shown())) << refused.toStdString();
    EXPECT_TRUE(refused.contains(QStringLiteral("Update the program"))) << refused.toStdString();
    EXPECT_TRUE(refused.contains(QStringLiteral("Readings waiting for the next start: 5."))) << refused.toStdString();
    EXPECT_EQ(localReadingIds().size(), 5);
    EXPECT_EQ(server.select(QStringLiteral("SELECT to_regclass('readings') IS NULL, max(version) FROM schema_version")),
              (QList<QStringList>{{QStringLiteral("t"), QStringLiteral("99")}}))
        << "nothing was made on the server";
}

} // namespace
