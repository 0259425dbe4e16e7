// The recording journal survives the program being killed: every row logged before the
// kill is on disk, one parseable CSV line each.
#include "csv_reader.h"
#include "logger_process.h"
#include "qt_printers.h"
#include "recording/recording_journal.h"
#include "recording/row_numbers.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

TEST(RecordingJournal, EveryRowLoggedBeforeAKillIsOnDisk)
{
    QTemporaryDir dataHome;
    sim::MeterSimulator simulator;
    simulator.setLinkDelayMs(20);
    simulator.setIntervalOverrideMs(80);
    holdReadings(simulator);
    int framesAfterLink = 0;
    QObject::connect(&simulator, &sim::MeterSimulator::frameSent, [&] { ++framesAfterLink; });

    QProcess logger;
    startLogger(logger, QStringLiteral(RLC_BIN_DIR "/rlc-logger"), QStringLiteral(RLC_BIN_DIR), dataHome.path(),
                simulator.slavePath());
    if (HasFatalFailure())
        return;

    ASSERT_TRUE(QTest::qWaitFor([&] { return simulator.isLinked(); }, 15000)) << "the logger never linked";
    framesAfterLink = 0;
    ASSERT_TRUE(QTest::qWaitFor([&] { return framesAfterLink >= 25; }, 15000));
    const QStringList journals = journalFiles(dataHome.path());
    ASSERT_EQ(journals.size(), 1);
    const auto journalLines = [&journals] {
        QFile journal(journals.first());
        if (!journal.open(QIODevice::ReadOnly))
            return QList<QStringList>();
        QByteArray bytes = journal.readAll();
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        return parseCsv(QString::fromUtf8(bytes));
    };
    // The readings keep coming while the program dies: whatever it had written by then stays.
    const qsizetype linesBeforeKill = journalLines().size();
    ::kill(pid_t(logger.processId()), SIGKILL);
    const int sentBeforeKill = framesAfterLink; // the simulator sends on this thread: none since
    ASSERT_TRUE(logger.waitForFinished(5000));

    const QList<QStringList> lines = journalLines();
    ASSERT_GE(lines.size(), 2);
    // the table's, time, verdict, event, numbers, the part's
    const qsizetype kFields =
        13 + recording::kNumericColumnCount + recording::RecordingJournal::PartColumnNames().size();
    ASSERT_EQ(lines.first().size(), kFields) << lines.first().join(u',').toStdString();

    int previousPosition = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList& fields = lines[i];
        ASSERT_EQ(fields.size(), kFields) << fields.join(u',').toStdString();
        EXPECT_EQ(fields[0].toInt(), previousPosition + 1) << "positions follow each other without a gap";
        previousPosition = fields[0].toInt();
        EXPECT_TRUE(QDateTime::fromString(fields[10], Qt::ISODate).isValid()) << fields[10].toStdString();
    }
    // Frames still on their way when the program died may be missing, nothing before them.
    EXPECT_GE(lines.size(), linesBeforeKill);
    EXPECT_GE(linesBeforeKill, 2) << "rows were written while the program ran";
    EXPECT_LE(lines.size() - 1, sentBeforeKill);
}
