// The server's layout: made by the first bench while others wait their turn, an older
// program's layout upgraded with its rows kept, and a newer program's refused untouched,
// with the readings left waiting.
#include "forwarding_bench.h"
#include "postgres_server.h"
#include "qt_printers.h"
#include "store/database_url.h"
#include "store/forwarder.h"
#include "store/server_connection.h"
#include "store/server_schema.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr int kWaitMs = 90000;

bool waitFor(const std::function<bool()>& condition)
{
    return QTest::qWaitFor(condition, kWaitMs);
}

class ServerSchemaTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.ready()) << server.problem().toStdString();
        ASSERT_TRUE(server.start()) << server.problem().toStdString();
    }

    std::unique_ptr<store::Forwarder> forwarderOf(ForwardingBench& bench)
    {
        return std::make_unique<store::Forwarder>(bench.path(),
                                                  std::get<store::DatabaseUrl>(store::ReadDatabaseUrl(server.url())));
    }

    QString value(const QString& sql) { return server.select(sql).value(0).value(0); }

    QTemporaryDir folder;
    PostgresServer server;
};

TEST_F(ServerSchemaTest, BenchesThatMeetAnEmptyServerTogetherMakeOneLayout)
{
    ForwardingBench first(folder.filePath(QStringLiteral("first.sqlite")));
    ForwardingBench second(folder.filePath(QStringLiteral("second.sqlite")));
    for (ForwardingBench* bench : {&first, &second}) {
        bench->openRecording();
        bench->storeReadings(10);
        bench->closeRecording();
    }
    const auto one = forwarderOf(first);
    const auto other = forwarderOf(second);
    QSignalSpy away(one.get(), &store::Forwarder::serverAway);
    QSignalSpy otherAway(other.get(), &store::Forwarder::serverAway);
    one->start();
    other->start();
    ASSERT_TRUE(waitFor([&] { return first.unsentRows() == 0 && second.unsentRows() == 0; }));
    EXPECT_TRUE(away.isEmpty() && otherAway.isEmpty());
    EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM readings")), QStringLiteral("20"));
    EXPECT_EQ(value(QStringLiteral("SELECT string_agg(version::text, ',') FROM schema_version")),
              QString::number(store::kServerSchemaVersion));
}

TEST_F(ServerSchemaTest, OlderLayoutIsUpgradedWithItsRowsKept)
{
    {
        store::ServerConnection connection(server.url());
        store::CreateServerSchemaUpTo(connection, 1);
        connection.execute("INSERT INTO recordings (recording_id, station, operator, started_at, software_version) "
                           "VALUES ('0b7e0b4e-5b1a-4a55-9d4b-3b9c1f2b7a10', 'bench 1', 'bob', now(), '0.9');"
                           "INSERT INTO readings (reading_id, recording_id, position, taken_at) "
                           "VALUES ('6f1c3c0e-2d0b-4f7e-8f3a-5a7b9c1d2e3f', '0b7e0b4e-5b1a-4a55-9d4b-3b9c1f2b7a10', 1, "
                           "now())");
    }
    ForwardingBench bench(folder.filePath(QStringLiteral("measurements.sqlite")));
    bench.openRecording();
    bench.storeReadings(3);
    bench.storeEvent(recording::JournalEvent::LinkLost);
    bench.closeRecording();
    const auto forwarder = forwarderOf(bench);
    forwarder->start();
    ASSERT_TRUE(waitFor([&] { return bench.unsentRows() == 0; }));

    EXPECT_EQ(value(QStringLiteral("SELECT version FROM schema_version")),
              QString::number(store::kServerSchemaVersion));
    EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM reading_rows WHERE operator = 'bob'")), QStringLiteral("1"))
        << "the older program's reading stays";
    EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM readings")), QStringLiteral("4"));
    EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM reading_rows WHERE operator = 'bob' AND bin IS NULL")),
              QStringLiteral("1"))
        << "a reading from before bins has none";
    EXPECT_EQ(value(QStringLiteral("SELECT event FROM events")), QStringLiteral("link lost"));
}

TEST_F(ServerSchemaTest, NewerLayoutIsRefusedWithAMessageAndLeftAlone)
{
    server.execute(QStringLiteral("CREATE TABLE schema_version (version integer NOT NULL); "
                                  "INSERT INTO schema_version VALUES (99)"));
    ForwardingBench bench(folder.filePath(QStringLiteral("measurements.sqlite")));
    bench.openRecording();
    bench.storeReadings(3);
    const auto forwarder = forwarderOf(bench);
    QSignalSpy refused(forwarder.get(), &store::Forwarder::serverRefused);
    QSignalSpy drained(forwarder.get(), &store::Forwarder::drained);
    forwarder->start();
    ASSERT_TRUE(waitFor([&] { return refused.size() == 1; }));
    const QString message = refused.at(0).at(0).toString();
    EXPECT_TRUE(message.contains(forwarder->shownUrl())) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("newer version of the program (layout 99; this one knows up to %1)")
                                     .arg(store::kServerSchemaVersion)))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("Update the program"))) << message.toStdString();

    forwarder->drain();
    ASSERT_TRUE(waitFor([&] { return drained.size() == 1; }));
    EXPECT_EQ(drained.at(0).at(0).toLongLong(), 3) << "the readings wait for a program that knows the layout";
    EXPECT_EQ(refused.size(), 1) << "said once";
    EXPECT_EQ(value(QStringLiteral("SELECT version FROM schema_version")), QStringLiteral("99"));
    EXPECT_TRUE(value(QStringLiteral("SELECT to_regclass('readings')")).isNull()) << "nothing was made";
}

} // namespace
