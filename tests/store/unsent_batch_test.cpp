// What waits for the server, read in batches: the recording of every event and reading in a
// batch is on the server already or in the same batch, and a recording closed while its
// opening was on its way stays listed until its end has gone too.
#include "forwarding_bench.h"
#include "qt_printers.h"
#include "store/forwarded_tables.h"
#include "store/unsent_batch.h"

#include <QSet>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The column of each of a batch's COPY lines.
QStringList columnOf(const store::UnsentRows& rows, const char* name)
{
    const QList<QByteArray> names = rows.columns.split(',');
    const auto named =
        std::find_if(names.begin(), names.end(), [&](const QByteArray& n) { return n.trimmed() == name; });
    const qsizetype column = named - names.begin();
    QStringList values;
    for (const QByteArray& line : rows.lines.split('\n'))
        if (!line.isEmpty())
            values << QString::fromUtf8(line.split('\t').value(column));
    return values;
}

class UnsentBatchTest : public testing::Test {
protected:
    QTemporaryDir folder;
    ForwardingBench bench{folder.filePath(QStringLiteral("measurements.sqlite"))};
    store::SqliteConnection local{bench.path()};
};

TEST_F(UnsentBatchTest, EveryRowOfABatchFindsItsRecordingSentOrBesideIt)
{
    constexpr int kRecordings = 7;
    for (int recording = 0; recording < kRecordings; ++recording) {
        bench.openRecording();
        bench.storeReadings(3);
        bench.storeEvent(recording::JournalEvent::LinkLost);
        bench.closeRecording();
    }
    for (const int limit : {2, 5, 9, 100}) {
        SCOPED_TRACE(limit);
        local.execute("INSERT OR IGNORE INTO unsent SELECT 'recording', recording_id FROM recordings; "
                      "INSERT OR IGNORE INTO unsent SELECT 'event', event_id FROM events; "
                      "INSERT OR IGNORE INTO unsent SELECT 'reading', reading_id FROM readings",
                      "list everything");
        QSet<QString> onServer;
        qsizetype sent = 0;
        for (store::UnsentBatch batch = store::ReadUnsent(local, limit); batch.rows() > 0;
             batch = store::ReadUnsent(local, limit)) {
            ASSERT_LE(batch.rows(), limit);
            for (const store::UnsentRows& rows : batch.tables) {
                if (rows.table == &store::kRecordingsTable)
                    onServer.unite(QSet<QString>(rows.ids.begin(), rows.ids.end()));
                else
                    for (const QString& recordingId : columnOf(rows, "recording_id"))
                        ASSERT_TRUE(onServer.contains(recordingId)) << rows.table->name;
            }
            sent += batch.rows();
            store::MarkSent(local, batch);
        }
        EXPECT_EQ(sent, kRecordings * (1 + 3 + 1));
    }
}

TEST_F(UnsentBatchTest, RecordingClosedWhileItsOpeningWasOnItsWayGoesAgainWithItsEnd)
{
    bench.openRecording();
    const store::UnsentBatch opening = store::ReadUnsent(local, 10);
    bench.closeRecording();
    store::MarkSent(local, opening);
    EXPECT_EQ(bench.unsentRows(), 1) << "the end has not gone yet";

    const store::UnsentBatch end = store::ReadUnsent(local, 10);
    ASSERT_EQ(end.tables.size(), 1u);
    EXPECT_NE(columnOf(end.tables.front(), "ended_at"), QStringList{QStringLiteral("\\N")});
    store::MarkSent(local, end);
    EXPECT_EQ(bench.unsentRows(), 0);
}

} // namespace
