// rlc-record killed with SIGKILL in the middle of recording at 20 readings a second, twenty
// times over: the local database stays whole, and no reading it had committed is lost.
//
// What "committed" means here, without racing the kill: the recorder takes each reading in
// three steps, one after the other on its one thread: the journal line is written, then the
// reading's transaction is committed, then the CSV row is written. So, whenever the kill
// falls,
// - every reading in the database is in a journal (nothing is stored that was not first
//   journalled);
// - every CSV row is in the database (a row is only written once its reading committed);
// - of each journal, every reading but the last is in the database: the next journal line
//   is only written after the commit of the one before, so only the last line can be the
//   reading in flight, journalled but not yet committed when the kill fell.
// The simulator's resistor rises by 10 Ω a reading over the whole test, so a primary value
// names one reading.
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
    QSet<QString> inJournals;
    for (const QString& journal : journals) {
        const QStringList values = primaryValues(csvRecords(journal), kJournalPrimaryValue, true);
        inJournals.unite(QSet<QString>(values.begin(), values.end()));
        for (qsizetype row = 0; row + 1 < values.size(); ++row)
            EXPECT_TRUE(inDatabase.contains(values[row])) << journal.toStdString() << " row " << row + 1;
    }
    for (const QString& value : std::as_const(inDatabase))
        EXPECT_TRUE(inJournals.contains(value)) << value.toStdString() << " was stored without being journalled";
    EXPECT_EQ(inDatabase.size(), connection.integer("SELECT count(*) FROM readings", "count the readings"))
        << "each reading once";
}

} // namespace
