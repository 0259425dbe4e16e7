// The recording journal survives the program being killed: every row logged before the
// kill is on disk, one parseable CSV line each.
#include "csv_reader.h"
#include "meter_simulator.h"
#include "qt_printers.h"

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
    QDir(dataHome.path()).mkpath(QStringLiteral("RLC_Data"));
    QFile state(dataHome.filePath(QStringLiteral("RLC_Data/1.dat")));
    ASSERT_TRUE(state.open(QIODevice::WriteOnly));
    state.write(QByteArray(204, '\0') + QByteArray(1, '\x01')); // connect automatically
    state.close();

    sim::MeterSimulator simulator;
    simulator.setLinkDelayMs(20);
    simulator.setIntervalOverrideMs(80);
    // The meter reports hold: with recording stopped every such reading is logged.
    simulator.meter().applyCommand(sim::MeterCommand{{0x01, 0x24, 0x80, 0xA1, 0x0A}});
    int framesAfterLink = 0;
    QObject::connect(&simulator, &sim::MeterSimulator::frameSent, [&] { ++framesAfterLink; });

    QProcess logger;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome.path());
    env.insert(QStringLiteral("RLC_DONGLE_PORT"), simulator.slavePath());
    logger.setProcessEnvironment(env);
    logger.setWorkingDirectory(QStringLiteral(RLC_BIN_DIR));
    logger.start(QStringLiteral(RLC_BIN_DIR "/rlc-logger"), {});
    ASSERT_TRUE(logger.waitForStarted(5000));

    ASSERT_TRUE(QTest::qWaitFor([&] { return simulator.isLinked(); }, 15000)) << "the logger never linked";
    framesAfterLink = 0;
    ASSERT_TRUE(QTest::qWaitFor([&] { return framesAfterLink >= 25; }, 15000));
    const int sentBeforeKill = framesAfterLink;
    ::kill(pid_t(logger.processId()), SIGKILL);
    ASSERT_TRUE(logger.waitForFinished(5000));

    const QStringList journals =
        QDir(dataHome.filePath(QStringLiteral("RLC_Data/journal"))).entryList({QStringLiteral("*.csv")}, QDir::Files);
    ASSERT_EQ(journals.size(), 1);
    QFile journal(dataHome.filePath(QStringLiteral("RLC_Data/journal/") + journals.first()));
    ASSERT_TRUE(journal.open(QIODevice::ReadOnly));
    QByteArray bytes = journal.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QList<QStringList> lines = parseCsv(QString::fromUtf8(bytes));
    ASSERT_GE(lines.size(), 2);
    ASSERT_EQ(lines.first().size(), 12) << lines.first().join(u',').toStdString();

    int previousPosition = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList& fields = lines[i];
        ASSERT_EQ(fields.size(), 12) << fields.join(u',').toStdString();
        EXPECT_EQ(fields[0].toInt(), previousPosition + 1) << "positions follow each other without a gap";
        previousPosition = fields[0].toInt();
        EXPECT_TRUE(QDateTime::fromString(fields[10], Qt::ISODate).isValid()) << fields[10].toStdString();
    }
    // Frames still on their way when the program died may be missing, nothing before them.
    EXPECT_GE(lines.size() - 1, sentBeforeKill - 2);
}
