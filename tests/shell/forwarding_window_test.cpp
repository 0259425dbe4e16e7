// The window with a PostgreSQL server named in RLC_DATABASE: the readings it logs go to the
// server through the local file, and its status log says once that the server is away and
// then that it is back.
#include "logger_process.h"
#include "postgres_server.h"
#include "recording_window.h"
#include "store/database_url.h"
#include "store/sqlite_connection.h"

namespace {

class ForwardingWindowTest : public RecordingWindowTest {
protected:
    void SetUp() override
    {
        RecordingWindowTest::SetUp();
        ASSERT_TRUE(server.ready()) << server.problem().toStdString();
        qputenv("RLC_DATABASE", server.url().toUtf8());
    }

    void TearDown() override
    {
        RecordingWindowTest::TearDown();
        qunsetenv("RLC_DATABASE");
    }

    // Linked to a meter that holds: every reading is logged, recording or not.
    void startHoldingWindow()
    {
        holdReadings(*simulator);
        startWindow();
        connectByClick();
    }

    // The line of the lexicon with the server, up to the next part it takes.
    QString saidOf(localisation::AdditionItem item) const
    {
        const QString shown = std::get<store::DatabaseUrl>(store::ReadDatabaseUrl(server.url())).shown();
        const QString text = lexicons().D4.GetItem(item);
        return text.left(text.indexOf(u'%', text.indexOf(QStringLiteral("%1")) + 2)).arg(shown);
    }

    bool waitUntilSaid(localisation::AdditionItem item)
    {
        return waitFor([&] { return memo().contains(saidOf(item)); });
    }

    qint64 localReadings() const
    {
        store::SqliteConnection local(dataHome.filePath(QStringLiteral("RLC_Data/measurements.sqlite")));
        return local.integer("SELECT count(*) FROM readings", "count the readings");
    }

    PostgresServer server;
};

TEST_F(ForwardingWindowTest, StatusLogSaysTheServerAwayOnceThenBackAndTheReadingsArrive)
{
    startHoldingWindow();
    ASSERT_TRUE(waitUntilSaid(localisation::ServerAway)) << memo().toStdString();
    ASSERT_TRUE(waitFor([&] { return localReadings() >= 5; })) << "readings are kept while the server is away";

    ASSERT_TRUE(server.start()) << server.problem().toStdString();
    ASSERT_TRUE(waitUntilSaid(localisation::ServerBack)) << memo().toStdString();
    pauseReports();
    const qint64 kept = localReadings();
    ASSERT_TRUE(waitFor([&] {
        return server.select(QStringLiteral("SELECT count(*) FROM readings")).value(0).value(0)
            == QString::number(kept);
    })) << kept;
    EXPECT_EQ(memo().count(saidOf(localisation::ServerAway)), 1) << memo().toStdString();
}

TEST_F(ForwardingWindowTest, DISABLED_ScreenshotOfTheServerAwayAndBack)
{
    startHoldingWindow();
    ASSERT_TRUE(waitUntilSaid(localisation::ServerAway)) << memo().toStdString();
    saveScreenshot(QStringLiteral("server_away"));
    ASSERT_TRUE(server.start()) << server.problem().toStdString();
    ASSERT_TRUE(waitUntilSaid(localisation::ServerBack)) << memo().toStdString();
    saveScreenshot(QStringLiteral("server_back"));
}

} // namespace
