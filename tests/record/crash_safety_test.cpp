// rlc-record killed with SIGKILL in the middle of recording at 20 readings a second, twenty
// times over: the local database stays whole, and no reading it had committed is lost. A
// reading is committed once its transaction has returned; the recorder writes its CSV row
// only after that, and its journal line just before. So every CSV row is in the database,
// and of each journal at most the last reading, the one in flight, is not.
#include "qt_printers.h"
#include "record_program.h"
#include "recording/row_numbers.h"
#include "store/sqlite_connection.h"

#include <QSet>

namespace {

constexpr int kKills = 20;
constexpr int kFrameMs = 50; // 20 readings a second
// Where the primary value is: in the recorder's CSV after Timestamp and Verdict, in the
// journal after Event.
constexpr int kCsvPrimaryValue = 12;
constexpr int kJournalPrimaryValue = 13;
constexpr int kJournalEvent = 12;

QStringList primaryValues(const QList<QStringList>& records, int column, bool journal)
{
    QStringList values;
    for (qsizetype row = 1; row < records.size(); ++row)
        if (!journal || records[row].value(kJournalEvent).isEmpty())
            values << records[row].value(column);
    return values;
}

TEST_F(RecordProgramTest, KilledTwentyTimesWhileRecordingLosesNoCommittedReading)
{
    simulator->setIntervalOverrideMs(kFrameMs);
    reportRisingBy10Ohm();
    const QString database = path(QStringLiteral("data/RLC_Data/measurements.sqlite"));
    QStringList acknowledged;
    for (int kill = 1; kill <= kKills; ++kill) {
        SCOPED_TRACE(kill);
        const QString csv = path(QStringLiteral("run-%1.csv").arg(kill));
        start({"--csv", csv});
        // From a few rows to a dozen: the kill falls on another moment of the recording each time.
        const int rows = 2 + kill % 11;
        ASSERT_TRUE(waitFor([&] { return rowsIn(csv) >= rows; })) << said().toStdString();
        ::kill(pid_t(recorder.processId()), SIGKILL);
        ASSERT_TRUE(waitFor([&] { return recorder.state() == QProcess::NotRunning; }));
        acknowledged << primaryValues(csvRecords(csv), kCsvPrimaryValue, false);

        store::SqliteConnection connection(database);
        store::SqliteStatement check(connection, "PRAGMA integrity_check", "check the file");
        ASSERT_TRUE(check.step());
        EXPECT_EQ(check.text(0), QStringLiteral("ok"));
        check.run();
    }

    store::SqliteConnection connection(database);
    store::SqliteStatement stored(connection, "SELECT primary_value FROM readings", "read the readings");
    QSet<QString> inDatabase;
    while (stored.step())
        inDatabase << recording::NumberText(*stored.real(0));
    for (const QString& value : acknowledged)
        EXPECT_TRUE(inDatabase.contains(value)) << value.toStdString() << " was written to the CSV, so committed";
    const QStringList journals = journalFiles();
    EXPECT_EQ(journals.size(), kKills);
    qsizetype journalled = 0;
    for (const QString& journal : journals) {
        const QStringList values = primaryValues(csvRecords(journal), kJournalPrimaryValue, true);
        journalled += values.size();
        for (qsizetype row = 0; row + 1 < values.size(); ++row)
            EXPECT_TRUE(inDatabase.contains(values[row])) << journal.toStdString() << " row " << row + 1;
    }
    EXPECT_LE(inDatabase.size(), journalled) << "nothing is stored before the journal has it";
    EXPECT_GE(inDatabase.size(), acknowledged.size());
}

} // namespace
