// Store and forward over a long run: 2,000 readings at 20 a second through rlc-record into
// PostgreSQL, the server stopped twice for 30 s while readings keep coming, and the
// recorder killed with SIGKILL once and started again. At the end every reading the local
// database committed is on the server exactly once, and nothing waits. It takes about two
// minutes, too long for every run of the suite: it runs when RLC_SERVER_AWAY_TEST is set,
// as scripts/server-away-test.sh does.
#include "postgres_server.h"
#include "qt_printers.h"
#include "record/record_error.h"
#include "record_program.h"
#include "store/sqlite_connection.h"

namespace {

constexpr int kReadings = 2000;
constexpr int kFrameMs = 50; // 20 readings a second
constexpr int kOutageMs = 30000;
// Rows of the first run at which the server goes, and at which the recorder is killed; rows
// of the second run at which the server goes again.
constexpr int kFirstOutageAt = 300;
constexpr int kKillAt = 1000;
constexpr int kSecondOutageAt = 300;
// Whole minutes of readings may lie between two moments of the run.
constexpr int kLongWaitMs = 300000;

QStringList sortedIds(const QList<QStringList>& rows)
{
    QStringList ids;
    for (const QStringList& row : rows)
        ids << row.value(0);
    std::sort(ids.begin(), ids.end());
    return ids;
}

class ServerAwayTest : public RecordProgramTest {
public:
    void waitForRows(const QString& csv, int rows)
    {
        ASSERT_TRUE(waitFor([&] { return rowsIn(csv) >= rows; }, kLongWaitMs)) << said().toStdString();
    }

    // The server stops, stays away while the readings come, and starts again.
    void outage()
    {
        ASSERT_TRUE(server.stop()) << server.problem().toStdString();
        QTest::qWait(kOutageMs);
        ASSERT_TRUE(server.start()) << server.problem().toStdString();
    }

    PostgresServer server;
};

TEST_F(ServerAwayTest, EveryCommittedReadingArrivesOnceThoughTheServerWentTwiceAndTheRecorderWasKilled)
{
    if (!qEnvironmentVariableIsSet("RLC_SERVER_AWAY_TEST"))
        GTEST_SKIP() << "runs for minutes: set RLC_SERVER_AWAY_TEST, or run scripts/server-away-test.sh";
    ASSERT_TRUE(server.ready()) << server.problem().toStdString();
    ASSERT_TRUE(server.start()) << server.problem().toStdString();
    simulator->setIntervalOverrideMs(kFrameMs);
    reportRisingBy10Ohm();

    const QString firstCsv = path(QStringLiteral("first.csv"));
    start({"--db", server.url(), "--csv", firstCsv});
    waitForRows(firstCsv, kFirstOutageAt);
    outage();
    waitForRows(firstCsv, kKillAt);
    ::kill(pid_t(recorder.processId()), SIGKILL);
    ASSERT_TRUE(waitFor([&] { return recorder.state() == QProcess::NotRunning; }));
    const QString firstSaid = said();
    const qsizetype firstRows = rowsIn(firstCsv);

    errors.clear();
    const QString secondCsv = path(QStringLiteral("second.csv"));
    start({"--db", server.url(), "--count", QString::number(kReadings - firstRows), "--csv", secondCsv});
    waitForRows(secondCsv, kSecondOutageAt);
    outage();
    ASSERT_EQ(exitCode(kLongWaitMs), record::Done) << said().toStdString();
    const QString secondSaid = said();

    EXPECT_EQ(firstRows + rowsIn(secondCsv), kReadings);
    store::SqliteConnection local(path(QStringLiteral("data/RLC_Data/measurements.sqlite")));
    store::SqliteStatement readings(local, "SELECT reading_id FROM readings", "read the readings");
    QList<QStringList> localRows;
    while (readings.step())
        localRows << QStringList{readings.text(0)};
    EXPECT_GE(localRows.size(), kReadings) << "every reading written to the CSV was committed first";
    EXPECT_EQ(local.integer("SELECT count(*) FROM unsent", "count what waits"), 0);
    const QStringList onServer = sortedIds(server.select(QStringLiteral("SELECT reading_id FROM readings")));
    EXPECT_EQ(onServer.size(), localRows.size());
    EXPECT_EQ(onServer, sortedIds(localRows));

    for (const QString* run : {&firstSaid, &secondSaid}) {
        EXPECT_EQ(run->count(QStringLiteral("cannot be reached")), 1) << run->toStdString();
        EXPECT_EQ(run->count(QStringLiteral("answers again")), 1) << run->toStdString();
    }
    EXPECT_TRUE(secondSaid.contains(QStringLiteral("Every reading is in the database"))) << secondSaid.toStdString();
}

} // namespace
