// The link in the real world, through the real window and a real pseudo-terminal: a dongle
// pulled out and plugged in again during a recording, frames that reads split, join or
// surround with stray bytes, and ports the user may not or cannot open.
#include "window_fixture.h"

#include "csv_reader.h"
#include "sim/frame_delivery.h"
#include "sim/pseudo_terminal.h"
#include "localisation/main_lexicons.h"
#include "recording/measurement_log_model.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSerialPort>
#include <QSignalSpy>

#include <algorithm>

#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kReportMs = 25;
constexpr int kQuietMs = 600000;
// The deadlines the link keeps: down at once when the device goes, linked again by the
// next round of the dongle watch.
constexpr int kDownWithinMs = 1000;
constexpr int kRelinkWithinMs = 3000;

// The resident memory of this process, in kB, from the kernel's own count.
long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

QList<QStringList> journalRecords(const QString& dataHome)
{
    const QDir folder(dataHome + QStringLiteral("/RLC_Data/journal"));
    const QStringList files = folder.entryList({QStringLiteral("*.csv")}, QDir::Files);
    if (files.size() != 1)
        return {};
    QFile journal(folder.filePath(files.first()));
    if (!journal.open(QIODevice::ReadOnly))
        return {};
    return parseCsv(QString::fromUtf8(journal.readAll().mid(3))); // after the byte-order mark
}

} // namespace

class LinkRecoveryTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        simulator->setIntervalOverrideMs(kQuietMs);
        pointFinderAt(simulator->stablePath());
        QObject::connect(simulator.get(), &sim::MeterSimulator::frameSent, [this] { ++framesSent; });
    }

    // Linked automatically and recording, with the meter reporting quickly.
    void startRecordingWithAutomaticConnection(int dongleWatchMs = 100)
    {
        startWindow(dongleWatchMs);
        click("CheckBox_connect_auto");
        ASSERT_TRUE(waitFor([&] { return meterLinked(); })) << memo().toStdString();
        ASSERT_TRUE(waitFor([&] { return child("SP1")->isEnabled(); }));
        click("SP1");
        ASSERT_TRUE(child<QPushButton>("SP1")->isChecked());
    }

    // The meter reports until the table has logged `rows` more readings, then falls quiet,
    // and every frame it sent has been taken.
    void recordRows(int rows)
    {
        const int target = loggedReadings() + rows;
        simulator->setIntervalOverrideMs(kReportMs);
        ASSERT_TRUE(waitFor([&] { return loggedReadings() >= target; }));
        simulator->setIntervalOverrideMs(kQuietMs);
        ASSERT_TRUE(waitFor([&] { return loggedReadings() == framesSent; }))
            << loggedReadings() << " logged, " << framesSent << " sent";
    }

    // The panel counts one past the last written row, and 0 before the first.
    int loggedReadings() const { return std::max(logRow() - 1, 0); }

    int framesSent = 0;
};

// With a recording running and the automatic connection on, the dongle is pulled out and
// plugged in again a hundred times. Each time the window shows the link down at once and
// links again by itself; every reading the meter sent while linked is in the table and in
// the journal, and the journal marks each gap.
TEST_F(LinkRecoveryTest, HundredReplugsLoseNoReadingAndMarkEachGap)
{
    constexpr int kCycles = 100;
    constexpr int kRowsPerCycle = 2;
    startRecordingWithAutomaticConnection();
    long memoryAtCycle10 = 0;
    for (int cycle = 1; cycle <= kCycles; ++cycle) {
        SCOPED_TRACE(cycle);
        recordRows(kRowsPerCycle);
        simulator->unplug();
        ASSERT_TRUE(waitFor([&] { return !meterLinked(); }, kDownWithinMs));
        EXPECT_EQ(child<QPushButton>("B2")->text(), lexicons().Dlang_connect.GetItem(localisation::ConnectCaption));
        EXPECT_EQ(labelText("L_prim_n"), QString()) << "no reading is shown while the link is down";
        simulator->replug();
        ASSERT_TRUE(waitFor([&] { return meterLinked(); }, kRelinkWithinMs)) << memo().toStdString();
        if (cycle == 10)
            memoryAtCycle10 = residentKilobytes();
    }
    recordRows(kRowsPerCycle);
    const long memoryAtEnd = residentKilobytes();
    std::printf("resident memory after 10 replugs: %ld kB, after %d: %ld kB\n", memoryAtCycle10, kCycles, memoryAtEnd);
    RecordProperty("ResidentKilobytesAfter10", std::to_string(memoryAtCycle10));
    RecordProperty("ResidentKilobytesAfter100", std::to_string(memoryAtEnd));

    // A report already on its way when the meter was told to pause may add a row to a cycle.
    const int expectedRows = framesSent;
    EXPECT_GE(expectedRows, (kCycles + 1) * kRowsPerCycle);
    EXPECT_EQ(loggedReadings(), expectedRows);
    for (int row = 1; row <= expectedRows; ++row)
        ASSERT_EQ(log().gridCell(row, recording::MeasurementLogModel::PositionColumn), QString::number(row));

    const QList<QStringList> journal = journalRecords(dataHome.path());
    ASSERT_FALSE(journal.isEmpty());
    int readings = 0, lost = 0, back = 0;
    for (qsizetype line = 1; line < journal.size(); ++line) {
        const QString& event = journal[line].value(12);
        readings += event.isEmpty() ? 1 : 0;
        lost += event == QStringLiteral("link lost") ? 1 : 0;
        back += event == QStringLiteral("link back") ? 1 : 0;
    }
    EXPECT_EQ(readings, expectedRows);
    EXPECT_EQ(lost, kCycles);
    EXPECT_EQ(back, kCycles);
}

// With the dongle watch at its designed 2.5 s, the returning dongle is linked again within
// 3 s: by the first round of the watch after its return. Counting the watch's rounds rather
// than the seconds keeps the test true on a machine too busy to keep time.
TEST_F(LinkRecoveryTest, DongleBackIsLinkedAgainWithinThreeSecondsByTheDesignedWatch)
{
    startRecordingWithAutomaticConnection(dongle::DongleLink::kDongleWatchMs);
    auto* dongleWatch = child<QTimer>("T3");
    ASSERT_EQ(dongleWatch->interval(), 2500);
    recordRows(2);
    simulator->unplug();
    ASSERT_TRUE(waitFor([&] { return !meterLinked(); }, kDownWithinMs));
    QTest::qWait(1000);
    simulator->replug();
    QSignalSpy watchRounds(dongleWatch, &QTimer::timeout);
    QElapsedTimer back;
    back.start();
    ASSERT_TRUE(waitFor([&] { return meterLinked(); }, kWaitMs));
    EXPECT_LE(watchRounds.count(), 1) << "linked by the first round after the dongle came back";
    RecordProperty("RelinkedAfterMs", std::to_string(back.elapsed()));
    recordRows(2);
    EXPECT_GE(loggedReadings(), 4);
    EXPECT_EQ(loggedReadings(), framesSent);
}

// The meter falls quiet during a recording while the link stays up: after three report
// intervals and the margin the status log says so and the journal marks it; the next
// reading is said and marked as the end of the silence.
TEST_F(LinkRecoveryTest, MeterFallingQuietWhileRecordingIsSaidAndMarked)
{
    startRecordingWithAutomaticConnection();
    recordRows(2);
    const QString silent = lexicons().D4.GetItem(localisation::MeterSilent).arg(4);
    ASSERT_TRUE(waitFor([&] { return memo().contains(silent); }, 8000)) << memo().toStdString();
    EXPECT_TRUE(meterLinked());
    QTest::qWait(1500);
    EXPECT_EQ(memo().count(silent), 1) << "said once while the silence lasts";

    recordRows(1);
    EXPECT_TRUE(memo().endsWith(lexicons().D4.GetItem(localisation::MeterReportsAgain))) << memo().toStdString();
    QStringList events;
    for (const QStringList& record : journalRecords(dataHome.path()))
        events << record.value(12);
    events.removeFirst(); // the header
    const qsizetype quiet = events.indexOf(QStringLiteral("no readings"));
    EXPECT_GE(quiet, 2) << "marked after the readings before it";
    EXPECT_EQ(events.value(quiet + 1), QStringLiteral("readings again"));
    EXPECT_EQ(events.count(QString()), framesSent) << "every reading is in the journal";
}

// A thousand frames, delivered two to a write, each write cut at every offset in turn and
// behind a few stray bytes: every one of them is recorded.
TEST_F(LinkRecoveryTest, FramesSplitJoinedAndBehindStrayBytesAreAllRecorded)
{
    constexpr int kFrames = 1000;
    constexpr int kPairBytes = 2 * 18;
    startRecordingWithAutomaticConnection();
    sim::FrameDelivery delivery;
    delivery.paired = true;
    delivery.strayBefore = QByteArray("\x07\x31\x0A", 3);
    delivery.splitGapMs = 2;
    int nextSplit = 1;
    QObject::connect(simulator.get(), &sim::MeterSimulator::frameSent, [&] {
        delivery.splitAt = nextSplit;
        nextSplit = nextSplit % (kPairBytes + 2) + 1;
        simulator->setFrameDelivery(delivery);
    });
    simulator->setFrameDelivery(delivery);
    simulator->setIntervalOverrideMs(8);
    ASSERT_TRUE(waitFor([&] { return framesSent >= kFrames; }, 60000));
    simulator->setIntervalOverrideMs(kQuietMs);
    ASSERT_TRUE(waitFor([&] { return loggedReadings() == framesSent; }))
        << loggedReadings() << " logged, " << framesSent << " sent";
}

// The user may not open the dongle's port: the status log names the port and the remedy,
// once, however often the dongle watch tries.
TEST_F(LinkRecoveryTest, PortWithoutPermissionIsSaidOnceWithTheRemedy)
{
    sim::PseudoTerminal terminal;
    const QByteArray device = terminal.slavePath().toLocal8Bit();
    ASSERT_EQ(::chmod(device.constData(), 0), 0);
    pointFinderAt(QStringLiteral("/nonexistent/port"));
    startWindow();
    const QString expected = lexicons().D4.GetItem(localisation::PortPermissionDenied);
    {
        // The superuser may open anything: while the watch tries, this process runs with a
        // plain user's rights.
        const bool superuser = ::geteuid() == 0;
        constexpr uid_t kNobody = 65534;
        if (superuser) {
            ASSERT_EQ(::seteuid(kNobody), 0);
        }
        pointFinderAt(terminal.slavePath());
        const bool said = waitFor([&] { return memo().contains(terminal.slavePath()); });
        QTest::qWait(500); // several more rounds of the watch
        if (superuser) {
            ASSERT_EQ(::seteuid(0), 0);
        }
        ASSERT_TRUE(said) << memo().toStdString();
    }
    const QStringList lines = memo().split(u'\n');
    ASSERT_EQ(lines.size(), 1) << memo().toStdString();
    EXPECT_TRUE(lines.first().startsWith(expected.left(expected.indexOf(u'%'))));
    EXPECT_TRUE(lines.first().contains(terminal.slavePath()));
    EXPECT_TRUE(lines.first().contains(QStringLiteral("udev")));
    EXPECT_FALSE(meterLinked());
}

// Another program holds the port: the status log names it, once.
TEST_F(LinkRecoveryTest, BusyPortIsNamedOnce)
{
    QSerialPort other(simulator->stablePath());
    ASSERT_TRUE(other.open(QIODevice::ReadWrite)) << other.errorString().toStdString();
    startWindow();
    const QString expected = lexicons().D4.GetItem(localisation::PortBusy).arg(simulator->stablePath());
    ASSERT_TRUE(waitFor([&] { return memo().contains(expected); })) << memo().toStdString();
    QTest::qWait(500);
    EXPECT_EQ(memo(), expected);

    other.close();
    ASSERT_TRUE(waitFor([&] { return child<dongle::ComPort>("ComPort")->isOpen(); }));
    click("B2");
    EXPECT_TRUE(waitFor([&] { return meterLinked(); })) << "once the port is free, it is used";
}
