// The local database's layout: made new, upgraded from an older program's file, and a file
// from a newer program refused untouched.
#include "qt_printers.h"
#include "store/local_schema.h"
#include "store/measurement_store.h"
#include "store/sqlite_connection.h"
#include "store/store_error.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using store::SqliteConnection;
using store::SqliteStatement;

QStringList columnsOf(SqliteConnection& connection, const char* table)
{
    SqliteStatement info(connection, QByteArray("PRAGMA table_info(").append(table).append(")").constData(),
                         "read a table's columns");
    QStringList names;
    while (info.step())
        names << info.text(1);
    return names;
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class LocalSchemaTest : public testing::Test {
protected:
    QString path() const { return folder.filePath(QStringLiteral("measurements.sqlite")); }
    QTemporaryDir folder;
};

// The view is what users write their SQL against: its columns are a contract.
TEST_F(LocalSchemaTest, ANewFileHasThisVersionAndTheViewUsersQuery)
{
    store::MeasurementStore created(path(), false);
    SqliteConnection connection(path());
    EXPECT_EQ(connection.integer("PRAGMA user_version", "read"), store::kLocalSchemaVersion);
    EXPECT_EQ(connection.integer("SELECT count(*) FROM pragma_journal_mode WHERE journal_mode = 'wal'", "read"), 1);
    const QStringList contract{"reading_id",
                               "station",
                               "operator",
                               "lot",
                               "recording_id",
                               "position",
                               "taken_at",
                               "part_number",
                               "part_name",
                               "primary_kind",
                               "primary_value",
                               "primary_unit",
                               "secondary_kind",
                               "secondary_value",
                               "secondary_unit",
                               "circuit",
                               "frequency_hz",
                               "level_v",
                               "primary_nominal",
                               "primary_lsl",
                               "primary_usl",
                               "verdict",
                               "primary_deviation_pct",
                               "secondary_deviation_pct",
                               "bin"};
    EXPECT_EQ(columnsOf(connection, "reading_rows"), contract);
}

// A file of the first layout, with a reading in it, keeps the reading and gains what the
// later layout adds.
TEST_F(LocalSchemaTest, AnOlderFileIsUpgradedWithItsReadings)
{
    {
        SqliteConnection old(path());
        store::CreateLocalSchemaUpTo(old, 1);
        old.execute("INSERT INTO recordings (recording_id, station, operator, started_at, software_version) "
                    "VALUES ('rec', 'bench 1', 'ann', '2026-12-01T08:00:00.000Z', '0.9');"
                    "INSERT INTO readings (reading_id, recording_id, position, taken_at, primary_value) "
                    "VALUES ('r1', 'rec', 1, '2026-12-01T08:00:01.250Z', 4700.5)",
                    "fill the old file");
    }
    store::MeasurementStore upgraded(path(), true);
    SqliteConnection connection(path());
    EXPECT_EQ(connection.integer("PRAGMA user_version", "read"), store::kLocalSchemaVersion);
    SqliteStatement kept(connection, "SELECT station, primary_value, bin FROM reading_rows", "read");
    ASSERT_TRUE(kept.step());
    EXPECT_EQ(kept.text(0), QStringLiteral("bench 1"));
    EXPECT_EQ(kept.real(1), 4700.5);
    EXPECT_EQ(kept.type(2), SqliteStatement::Type::Null) << "a reading from before bins has none";
    kept.run();
    EXPECT_FALSE(columnsOf(connection, "events").isEmpty());
}

// The bin a reading was sorted into is stored as its word; a reading without a bin table
// has none, in a file upgraded from the layout before bins as in a new one.
TEST_F(LocalSchemaTest, TheBinIsStoredAsItsWordAndNullWithoutATable)
{
    {
        SqliteConnection old(path());
        store::CreateLocalSchemaUpTo(old, 2);
    }
    store::MeasurementStore upgraded(path(), false);
    const QString recordingId = store::NewUuid();
    upgraded.openRecording({recordingId, QStringLiteral("bench 1"), QStringLiteral("ann"), QString(),
                            QDateTime::currentDateTimeUtc(), QStringLiteral("1.0"), QByteArray()});
    recording::LoggedReading reading;
    reading.when = QDateTime::currentDateTimeUtc();
    for (const std::optional<bins::Bin> bin :
         {std::optional(bins::Bin::Aux), std::optional(bins::NumberedBin(7)), std::optional<bins::Bin>()}) {
        reading.numbers.bin = bin;
        ++reading.position;
        upgraded.storeReading(recordingId, reading);
    }
    SqliteConnection connection(path());
    SqliteStatement stored(connection, "SELECT coalesce(bin, 'NULL') FROM reading_rows ORDER BY position", "read");
    QStringList words;
    while (stored.step())
        words << stored.text(0);
    EXPECT_EQ(words, (QStringList{"AUX", "7", "NULL"}));
}

TEST_F(LocalSchemaTest, AFileFromANewerProgramIsRefusedUntouched)
{
    {
        store::MeasurementStore current(path(), false);
    }
    {
        SqliteConnection connection(path());
        connection.execute("PRAGMA user_version = 99", "pretend a later layout");
    }
    const QByteArray before = bytesOf(path());
    try {
        store::MeasurementStore refused(path(), false);
        FAIL() << "a newer layout was taken";
    } catch (const store::StoreError& error) {
        EXPECT_TRUE(error.message().contains(path())) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(QStringLiteral("newer version"))) << error.message().toStdString();
    }
    EXPECT_EQ(bytesOf(path()), before);
}

} // namespace
