// Every reading the recording core logs lands in the local database as it happens, with who
// took it, its part, its limits and its numbers; a database that cannot be had is said once
// and the recording goes on.
#include "link/dongle_link.h"
#include "localisation/main_lexicons.h"
#include "qt_printers.h"
#include "resistor_frame.h"
#include "session/meter_session.h"
#include "session/recording_archive.h"
#include "session/recording_core.h"
#include "store/sqlite_connection.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr double kOverloadOhm = 3e7;

class RecordingArchiveTest : public testing::Test {
protected:
    RecordingArchiveTest() { qputenv("XDG_DATA_HOME", dataHome.path().toUtf8()); }
    ~RecordingArchiveTest() override { qunsetenv("XDG_DATA_HOME"); }

    QString databasePath() const { return dataHome.filePath(QStringLiteral("measurements.sqlite")); }

    std::unique_ptr<session::RecordingArchive> archiveAt(const QString& path)
    {
        auto archive = std::make_unique<session::RecordingArchive>(core, session, lexicons,
                                                                   [this](const QString& line) { said << line; });
        archive->setBench(
            {QStringLiteral("bench 7"), QStringLiteral("ann"), QStringLiteral("24-117"), QStringLiteral("1.2.3")});
        archive->useDatabase(path, false);
        return archive;
    }

    void logReading(double ohm, const recording::PartInForce& part = {})
    {
        session.DispatchFrame(resistorFrame(ohm));
        core.judge(session);
        core.logReading(session, part);
    }

    QTemporaryDir dataHome;
    localisation::MainLexicons lexicons;
    dongle::DongleLink link;
    session::MeterSession session{link, lexicons};
    QStringList said;
    session::RecordingCore core{lexicons, [this](const QString& line) { said << line; }};
};

TEST_F(RecordingArchiveTest, EachReadingIsStoredWithItsBenchPartLimitsAndNumbers)
{
    const auto archive = archiveAt(databasePath());
    recording::ReferenceValues reference;
    reference.primary.kind = recording::ReferenceKind::Resistance;
    reference.primary.nominal = 1000;
    reference.primary.tolerance = {recording::ToleranceRule::Kind::Percent, 1};
    core.setReference(reference);

    core.start();
    logReading(1005, {3, QStringLiteral("R1k")});
    logReading(kOverloadOhm, {3, QStringLiteral("R1k")});
    core.finish();
    EXPECT_FALSE(archive->failed()) << said.join(u'\n').toStdString();

    store::SqliteConnection connection(databasePath());
    store::SqliteStatement rows(connection,
                                "SELECT station, operator, lot, position, part_number, part_name, primary_kind, "
                                "primary_value, primary_unit, circuit, frequency_hz, primary_nominal, primary_lsl, "
                                "primary_usl, verdict, primary_deviation_pct, taken_at FROM reading_rows "
                                "ORDER BY position",
                                "read");
    ASSERT_TRUE(rows.step());
    EXPECT_EQ(rows.text(0), QStringLiteral("bench 7"));
    EXPECT_EQ(rows.text(1), QStringLiteral("ann"));
    EXPECT_EQ(rows.text(2), QStringLiteral("24-117"));
    EXPECT_EQ(rows.integer(3), 1);
    EXPECT_EQ(rows.integer(4), 3);
    EXPECT_EQ(rows.text(5), QStringLiteral("R1k"));
    EXPECT_EQ(rows.text(6), QStringLiteral("R"));
    EXPECT_EQ(rows.real(7), 1005.0);
    EXPECT_EQ(rows.text(8), QStringLiteral("Ω"));
    EXPECT_EQ(rows.text(9), QStringLiteral("series"));
    EXPECT_EQ(rows.integer(10), 1000);
    EXPECT_EQ(rows.real(11), 1000.0);
    EXPECT_DOUBLE_EQ(*rows.real(12), 990.0);
    EXPECT_DOUBLE_EQ(*rows.real(13), 1010.0);
    EXPECT_EQ(rows.text(14), QStringLiteral("pass"));
    EXPECT_DOUBLE_EQ(*rows.real(15), 0.5);
    EXPECT_TRUE(QDateTime::fromString(rows.text(16), Qt::ISODateWithMs).isValid()) << rows.text(16).toStdString();
    EXPECT_TRUE(rows.text(16).endsWith(u'Z')) << "UTC";

    ASSERT_TRUE(rows.step());
    EXPECT_EQ(rows.real(7), std::nullopt) << "an overload has no value";
    EXPECT_EQ(rows.text(14), QStringLiteral("reject-primary")) << "past the range is past the limits";
    EXPECT_FALSE(rows.step());

    EXPECT_EQ(connection.integer("SELECT count(*) FROM recordings WHERE ended_at IS NOT NULL", "read"), 1);
}

// Held readings before a start belong to a recording of their own, closed by the start.
TEST_F(RecordingArchiveTest, RowsLoggedWhileStoppedFormARecordingOfTheirOwn)
{
    const auto archive = archiveAt(databasePath());
    logReading(100);
    logReading(200);
    core.start();
    logReading(300);
    core.finish();

    store::SqliteConnection connection(databasePath());
    store::SqliteStatement perRecording(
        connection,
        "SELECT count(*) FROM readings JOIN recordings USING (recording_id) GROUP BY recording_id ORDER BY started_at",
        "read");
    QList<qint64> counts;
    while (perRecording.step())
        counts << perRecording.integer(0);
    EXPECT_EQ(counts, (QList<qint64>{2, 1}));
    EXPECT_EQ(connection.integer("SELECT count(*) FROM recordings WHERE ended_at IS NULL", "read"), 0);
}

TEST_F(RecordingArchiveTest, ADatabaseThatCannotBeHadIsSaidOnceAndTheRecordingGoesOn)
{
    QFile blocker(dataHome.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const auto archive = archiveAt(dataHome.filePath(QStringLiteral("not-a-folder/measurements.sqlite")));
    core.start();
    for (double ohm : {100.0, 200.0, 300.0})
        logReading(ohm);
    EXPECT_TRUE(archive->failed());
    const QString notKept = lexicons.D4.GetItem(localisation::DatabaseNotKept);
    EXPECT_EQ(said.filter(notKept).size(), 1) << said.join(u'\n').toStdString();
    EXPECT_TRUE(said.filter(notKept).first().contains(QStringLiteral("not-a-folder")));
    EXPECT_EQ(core.loggedRows(), 4) << "the table goes on";
}

} // namespace
