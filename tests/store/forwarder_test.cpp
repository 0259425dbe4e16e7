// The forwarder against a real PostgreSQL server: every row arrives exactly once though the
// server was away at the start, went away in the middle of a backlog, refused the user for a
// while, or gets a batch it already has; away and back are said once each; the values arrive
// as stored; at the end it sends what it can and counts the rest.
#include "forwarding_bench.h"
#include "postgres_server.h"
#include "qt_printers.h"
#include "store/database_url.h"
#include "store/forwarder.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

constexpr int kWaitMs = 90000;

bool waitFor(const std::function<bool()>& condition)
{
    return QTest::qWaitFor(condition, kWaitMs);
}

// A double as PostgreSQL writes it.
double numberOf(const QString& text)
{
    return text == QStringLiteral("Infinity") ? INFINITY : text.toDouble();
}

store::DatabaseUrl serverNamed(const QString& url)
{
    return std::get<store::DatabaseUrl>(store::ReadDatabaseUrl(url));
}

// What a test hears from the forwarder.
struct Heard {
    explicit Heard(store::Forwarder& forwarder) :
        reached(&forwarder, &store::Forwarder::serverReached), away(&forwarder, &store::Forwarder::serverAway),
        back(&forwarder, &store::Forwarder::serverBack), refused(&forwarder, &store::Forwarder::serverRefused),
        drained(&forwarder, &store::Forwarder::drained)
    {
    }
    QSignalSpy reached, away, back, refused, drained;
};

struct ForwardedTableIds {
    const char* table;
    const char* idColumn;
};
constexpr ForwardedTableIds kTables[] = {
    {"recordings", "recording_id"}, {"events", "event_id"}, {"readings", "reading_id"}};

class ForwarderTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.ready()) << server.problem().toStdString(); }

    QStringList serverIds(const char* table, const char* idColumn, const QString& database = QStringLiteral("postgres"))
    {
        QStringList ids;
        for (const QStringList& row : server.select(
                 QStringLiteral("SELECT %1 FROM %2").arg(QLatin1String(idColumn), QLatin1String(table)), database))
            ids << row.value(0);
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    // Every local row is on the server once, and nothing waits.
    void expectAllForwarded(const QString& database = QStringLiteral("postgres"))
    {
        EXPECT_EQ(bench.unsentRows(), 0);
        for (const ForwardedTableIds& table : kTables) {
            SCOPED_TRACE(table.table);
            EXPECT_EQ(serverIds(table.table, table.idColumn, database), bench.localIds(table.idColumn, table.table));
        }
    }

    QTemporaryDir folder;
    PostgresServer server;
    ForwardingBench bench{folder.filePath(QStringLiteral("measurements.sqlite"))};
};

TEST_F(ForwarderTest, EveryRowArrivesOnceThoughTheServerWasAwayAtTheStartAndStoppedDuringABacklog)
{
    bench.openRecording();
    bench.storeReadings(30);
    bench.storeEvent(recording::JournalEvent::LinkLost);
    store::Forwarder forwarder(bench.path(), serverNamed(server.url()));
    Heard heard(forwarder);
    forwarder.start();
    ASSERT_TRUE(waitFor([&] { return heard.away.size() == 1; }));
    EXPECT_FALSE(heard.away.at(0).at(0).toString().isEmpty()) << "libpq's reason";
    EXPECT_EQ(heard.away.at(0).at(1).toLongLong(), 30) << "the readings that wait";

    bench.storeReadings(20); // the bench goes on while the server is away
    ASSERT_TRUE(server.start()) << server.problem().toStdString();
    ASSERT_TRUE(waitFor([&] { return bench.unsentRows() == 0; }));
    ASSERT_EQ(heard.back.size(), 1);
    EXPECT_EQ(heard.back.at(0).at(0).toLongLong(), 50);

    // The server goes while a backlog is on its way; readings stored after it went are what
    // surely meet it gone.
    constexpr int kBacklog = 5000;
    bench.storeBacklog(kBacklog);
    ASSERT_TRUE(waitFor([&] { return bench.localStore().unsentReadings() < kBacklog; }));
    ASSERT_TRUE(server.stop()) << server.problem().toStdString();
    bench.storeReadings(10);
    ASSERT_TRUE(waitFor([&] { return heard.away.size() == 2; }));
    bench.storeEvent(recording::JournalEvent::LinkBack);
    ASSERT_TRUE(server.start()) << server.problem().toStdString();
    bench.closeRecording();
    ASSERT_TRUE(waitFor([&] { return bench.unsentRows() == 0; }));

    expectAllForwarded();
    EXPECT_EQ(server.select(QStringLiteral("SELECT count(*) FROM readings")).value(0).value(0),
              QString::number(50 + kBacklog + 10));
    EXPECT_EQ(server.select(QStringLiteral("SELECT count(*) FROM recordings WHERE ended_at IS NOT NULL")),
              (QList<QStringList>{{QStringLiteral("1")}}))
        << "the recording's end follows its opening";
    EXPECT_EQ(heard.away.size(), 2) << "said once each time it went";
    EXPECT_EQ(heard.back.size(), 2);
    EXPECT_TRUE(heard.reached.isEmpty()) << "it was away, then back; never reached for the first time";
}

// As after a crash between the server's commit and the local strike: every row goes again.
TEST_F(ForwarderTest, RowsTheServerHasAlreadyChangeNothingAndAreStruckOff)
{
    ASSERT_TRUE(server.start()) << server.problem().toStdString();
    bench.openRecording();
    bench.storeReadings(20);
    bench.storeEvent(recording::JournalEvent::NoReadings);
    bench.closeRecording();
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        if (round == 2) {
            store::SqliteConnection local(bench.path());
            local.execute("INSERT INTO unsent SELECT 'recording', recording_id FROM recordings; "
                          "INSERT INTO unsent SELECT 'event', event_id FROM events; "
                          "INSERT INTO unsent SELECT 'reading', reading_id FROM readings",
                          "list everything again");
        }
        store::Forwarder forwarder(bench.path(), serverNamed(server.url()));
        Heard heard(forwarder);
        forwarder.start();
        ASSERT_TRUE(waitFor([&] { return bench.unsentRows() == 0; }));
        EXPECT_TRUE(heard.away.isEmpty()) << heard.away.value(0).value(0).toString().toStdString();
        expectAllForwarded();
    }
}

TEST_F(ForwarderTest, ValuesArriveAsStored)
{
    ASSERT_TRUE(server.start()) << server.problem().toStdString();
    const QString recordingId = bench.openRecording(QStringLiteral("партия 24-117"));
    recording::LoggedReading reading = bench.nextReading(QStringLiteral("R4k7\t\"tab\"\\back\nslash"));
    reading.reference.primary = {
        recording::ReferenceKind::Resistance, 1000.0, {recording::ToleranceRule::Kind::Percent, 1}};
    reading.numbers.verdict = recording::VerdictPrimaryOut;
    reading.numbers.primaryDeviationPercent = 0.1 + 0.2;  // no short decimal
    reading.numbers.secondaryDeviationPercent = INFINITY; // from a nominal of zero
    reading.numbers.values.secondary->overload = true;
    reading.numbers.bin = bins::Bin::Aux;
    bench.localStore().storeReading(recordingId, reading);

    store::Forwarder forwarder(bench.path(), serverNamed(server.url()));
    forwarder.start();
    ASSERT_TRUE(waitFor([&] { return bench.unsentRows() == 0; }));

    // Times as the local file writes them; every other column as text, numbers compared as
    // numbers.
    const QString columns = QStringLiteral(
        "reading_id, station, operator, lot, recording_id, position, part_number, part_name, primary_kind, "
        "primary_value, primary_unit, secondary_kind, secondary_value, secondary_unit, circuit, frequency_hz, "
        "level_v, primary_nominal, primary_lsl, primary_usl, verdict, primary_deviation_pct, "
        "secondary_deviation_pct, bin");
    const QStringList onServer = server
                                     .select(QStringLiteral("SELECT %1, to_char(taken_at AT TIME ZONE 'UTC', "
                                                            "'YYYY-MM-DD\"T\"HH24:MI:SS.MS\"Z\"') FROM reading_rows")
                                                 .arg(columns))
                                     .value(0);
    store::SqliteConnection local(bench.path());
    const QByteArray localQuery = QStringLiteral("SELECT %1, taken_at FROM reading_rows").arg(columns).toUtf8();
    store::SqliteStatement row(local, localQuery.constData(), "read the reading");
    ASSERT_TRUE(row.step());
    ASSERT_EQ(onServer.size(), row.columns());
    for (int column = 0; column < row.columns(); ++column) {
        SCOPED_TRACE(row.name(column).toStdString());
        switch (row.type(column)) {
        case store::SqliteStatement::Type::Real:
            EXPECT_EQ(numberOf(onServer[column]), row.number(column)) << onServer[column].toStdString();
            break;
        case store::SqliteStatement::Type::Null: EXPECT_TRUE(onServer[column].isNull()); break;
        default: EXPECT_EQ(onServer[column], row.text(column));
        }
    }
    row.run();
}

// A user the server does not know yet is refused like a server that is away, until it may
// connect.
TEST_F(ForwarderTest, UserRefusedIsSaidOnceAndForwardingFollowsOnceItMayConnect)
{
    ASSERT_TRUE(server.start()) << server.problem().toStdString();
    bench.openRecording();
    bench.storeReadings(5);
    bench.closeRecording();
    store::Forwarder forwarder(bench.path(), serverNamed(server.url(QStringLiteral("line"), QStringLiteral("ann"))));
    Heard heard(forwarder);
    forwarder.start();
    ASSERT_TRUE(waitFor([&] { return heard.away.size() == 1; }));
    EXPECT_TRUE(heard.away.at(0).at(0).toString().contains(QStringLiteral("\"ann\"")))
        << heard.away.at(0).at(0).toString().toStdString();

    server.execute(QStringLiteral("CREATE ROLE ann LOGIN"));
    server.execute(QStringLiteral("CREATE DATABASE line OWNER ann"));
    ASSERT_TRUE(waitFor([&] { return bench.unsentRows() == 0; }));
    EXPECT_EQ(heard.away.size(), 1);
    EXPECT_EQ(heard.back.size(), 1);
    expectAllForwarded(QStringLiteral("line"));
}

// The forwarder's connection dies with the restart; a new one finds the server there.
TEST_F(ForwarderTest, ServerRestartedWhileNothingWaitedIsNotSaidAway)
{
    ASSERT_TRUE(server.start()) << server.problem().toStdString();
    bench.openRecording();
    store::Forwarder forwarder(bench.path(), serverNamed(server.url()));
    Heard heard(forwarder);
    forwarder.start();
    ASSERT_TRUE(waitFor([&] { return heard.reached.size() == 1; }));
    ASSERT_TRUE(server.stop()) << server.problem().toStdString();
    ASSERT_TRUE(server.start()) << server.problem().toStdString();
    bench.storeReadings(5);
    bench.closeRecording();
    ASSERT_TRUE(waitFor([&] { return bench.unsentRows() == 0; }));
    EXPECT_TRUE(heard.away.isEmpty()) << heard.away.value(0).value(0).toString().toStdString();
    EXPECT_EQ(server.select(QStringLiteral("SELECT count(*) FROM readings")).value(0).value(0), QStringLiteral("5"));
}

// The end of a recorder: everything while the server answers, and a count of what must wait
// when it does not.
TEST_F(ForwarderTest, DrainSendsWhatWaitsWhileTheServerAnswersAndCountsTheRest)
{
    bench.openRecording();
    bench.storeBacklog(1200);
    bench.closeRecording();
    store::Forwarder forwarder(bench.path(), serverNamed(server.url()));
    Heard heard(forwarder);
    forwarder.start();
    forwarder.drain();
    ASSERT_TRUE(waitFor([&] { return heard.drained.size() == 1; }));
    EXPECT_EQ(heard.drained.at(0).at(0).toLongLong(), 1200);

    ASSERT_TRUE(server.start()) << server.problem().toStdString();
    forwarder.drain();
    ASSERT_TRUE(waitFor([&] { return heard.drained.size() == 2; }));
    EXPECT_EQ(heard.drained.at(1).at(0).toLongLong(), 0);
    expectAllForwarded();
}

} // namespace
