// Finding the dongle, linking and unlinking the meter, and what the connection controls
// and the status log show on the way.
#include "window_fixture.h"

#include "localisation/main_lexicons.h"
#include "sim/pseudo_terminal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>

#include <algorithm>
#include <iostream>

namespace {

// The connection texts of the current language.
QString connectText(const localisation::MainLexicons& lexicons, int item)
{
    return lexicons.Dlang_connect.GetItem(item);
}

// How long the event loop was kept from answering: from its making on, a timer beats every
// few milliseconds, and the longest time between two beats (or since the last one) is kept.
class LongestPause {
public:
    static constexpr int kBeatMs = 20;

    LongestPause()
    {
        m_clock.start();
        m_beat.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_beat, &QTimer::timeout, [this] {
            const qint64 now = m_clock.elapsed();
            m_longestMs = std::max(m_longestMs, now - m_lastBeatMs);
            m_lastBeatMs = now;
        });
        m_beat.start(kBeatMs);
    }

    qint64 ms() const { return std::max(m_longestMs, m_clock.elapsed() - m_lastBeatMs); }

private:
    QTimer m_beat;
    QElapsedTimer m_clock;
    qint64 m_lastBeatMs = 0;
    qint64 m_longestMs = 0;
};

} // namespace

TEST_F(WindowTest, ClickLinksTheMeterAndShowsTheConnectionLines)
{
    startWindow();
    EXPECT_EQ(child<QAbstractButton>("B2")->text(), connectText(lexicons(), 0));
    connectByClick();
    EXPECT_TRUE(simulator->receivedAtTexts().contains("AT+CONNL"));
    EXPECT_EQ(child<QAbstractButton>("B2")->text(), connectText(lexicons(), 1));
    EXPECT_EQ(memo(), connectText(lexicons(), 2) + u'\n' + connectText(lexicons(), 4));
    EXPECT_TRUE(child("SP1")->isEnabled());
    EXPECT_FALSE(child<QTimer>("T3")->isActive());
    EXPECT_FALSE(child<QAbstractButton>("SB4")->isChecked());
    EXPECT_FALSE(child("Button_Add")->isEnabled());
}

TEST_F(WindowTest, ClickWhileLinkedDisconnectsThroughTheDongle)
{
    startWindow();
    connectByClick();
    child<QLabel>("L_prim_n")->setText(QStringLiteral("reading"));
    ASSERT_TRUE(waitFor([&] { return child("B2")->isEnabled(); }));
    pauseReports();
    simulator->clearRecords();
    click("B2");
    EXPECT_TRUE(simulator->receivedAtTexts().isEmpty() || simulator->receivedAtTexts().first() == "AT");
    ASSERT_TRUE(
        waitFor([&] { return !meterLinked() && child<QAbstractButton>("B2")->text() == connectText(lexicons(), 0); }));
    EXPECT_EQ(simulator->receivedAtTexts().first(), QByteArray("AT"));
    EXPECT_TRUE(memo().endsWith(connectText(lexicons(), 5)));
    EXPECT_TRUE(child<QAbstractButton>("SB4")->isChecked());
    EXPECT_FALSE(child("SP1")->isEnabled());
    EXPECT_TRUE(child<QTimer>("T3")->isActive());
    EXPECT_TRUE(labelText("L_prim_n").isEmpty());
    EXPECT_TRUE(child("Button_Add")->isEnabled());
}

TEST_F(WindowTest, LinkLossReportedByTheDongleTakesTheLinkDown)
{
    startWindow();
    connectByClick();
    pauseReports();
    simulator->injectLinkLoss();
    ASSERT_TRUE(waitFor([&] { return !meterLinked(); }));
    EXPECT_EQ(child<QAbstractButton>("B2")->text(), connectText(lexicons(), 0));
    EXPECT_TRUE(memo().endsWith(connectText(lexicons(), 5)));
    EXPECT_TRUE(child<QTimer>("T3")->isActive());
}

TEST_F(WindowTest, AutomaticConnectionLinksOnTheDongleWatchAndStoresTheFlag)
{
    startWindow();
    click("CheckBox_connect_auto");
    EXPECT_TRUE(child<QAbstractButton>("CheckBox_connect_auto")->isChecked());
    EXPECT_FALSE(child("B2")->isEnabled());
    EXPECT_EQ(stateFile().mid(204, 1), QByteArray(1, '\x01'));
    ASSERT_TRUE(waitFor([&] { return meterLinked(); })) << memo().toStdString();
    EXPECT_FALSE(child("B2")->isEnabled()) << "with automatic connection the button stays disabled";

    click("CheckBox_connect_auto");
    EXPECT_TRUE(child("B2")->isEnabled());
    EXPECT_EQ(stateFile().mid(204, 1), QByteArray(1, '\x00'));
}

TEST_F(WindowTest, StoredAutomaticConnectionIsTakenAtStart)
{
    QDir().mkpath(QFileInfo(stateFilePath()).path());
    QFile file(stateFilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(204, '\0') + QByteArray(1, '\x01'));
    file.close();

    startWindow();
    EXPECT_TRUE(child<QAbstractButton>("CheckBox_connect_auto")->isChecked());
    EXPECT_TRUE(waitFor([&] { return meterLinked(); }));
}

TEST_F(WindowTest, FirstStartCreatesAnEmptyStateFile)
{
    startWindow();
    EXPECT_TRUE(QFileInfo::exists(stateFilePath()));
    EXPECT_FALSE(child<QAbstractButton>("CheckBox_connect_auto")->isChecked());
}

struct FailedAttempt {
    const char* name;
    sim::MeterSimulator::ConnectOutcome outcome;
    bool refused; // the log then ends with "NN " and the no-connection line
};

class FailedAttemptTest : public WindowTest, public ::testing::WithParamInterface<FailedAttempt> {};

TEST_P(FailedAttemptTest, LeavesTheMeterUnlinkedAndTheButtonUsableLater)
{
    simulator->setConnectOutcome(GetParam().outcome);
    startWindow();
    ASSERT_TRUE(waitFor([&] { return child("B2")->isEnabled(); }));
    click("B2");
    ASSERT_TRUE(waitFor([&] { return child<QTimer>("T2")->isActive(); }));
    EXPECT_FALSE(meterLinked());
    EXPECT_FALSE(child("SP1")->isEnabled());
    const QString lastLine =
        GetParam().refused ? QStringLiteral("NN ") + connectText(lexicons(), 3) : connectText(lexicons(), 2);
    EXPECT_TRUE(memo().endsWith(lastLine)) << memo().toStdString();
    EXPECT_TRUE(waitFor([&] { return child("B2")->isEnabled(); })) << "T2 enables the button again";
}

INSTANTIATE_TEST_SUITE_P(
    Replies, FailedAttemptTest,
    ::testing::Values(FailedAttempt{"CONNE", sim::MeterSimulator::ConnectOutcome::FailE, false},
                      FailedAttempt{"CONNF", sim::MeterSimulator::ConnectOutcome::FailF, false},
                      FailedAttempt{"CONNEOK_CONNF", sim::MeterSimulator::ConnectOutcome::FailEF, false},
                      FailedAttempt{"CONNN", sim::MeterSimulator::ConnectOutcome::Refuse, true}),
    [](const ::testing::TestParamInfo<FailedAttempt>& test) { return std::string(test.param.name); });

// The dongle's replies are found in the byte stream wherever reads happen to cut it: two
// replies in one read, one reply over two reads, stray bytes in front of one.
TEST_F(WindowTest, RepliesAreFoundHoweverTheReadsSplitOrJoinThem)
{
    startWindow();
    ASSERT_TRUE(waitFor([&] { return child("B2")->isEnabled(); }));

    simulator->injectGarbage("OK+CONNLOK+CONN\r\n");
    ASSERT_TRUE(waitFor([&] { return meterLinked(); }));
    EXPECT_EQ(memo(), connectText(lexicons(), 2) + u'\n' + connectText(lexicons(), 4));

    simulator->injectGarbage("OK+LO");
    QTest::qWait(100);
    EXPECT_TRUE(meterLinked()) << "half a reply is no reply yet";
    simulator->injectGarbage("ST");
    ASSERT_TRUE(waitFor([&] { return !meterLinked(); }));

    simulator->injectGarbage(QByteArray("\x05\x07", 2) + "OK+CONN\r\n");
    EXPECT_TRUE(waitFor([&] { return meterLinked(); }));
}

TEST_F(WindowTest, PlainOkIsLoggedAsItCame)
{
    startWindow();
    ASSERT_TRUE(waitFor([&] { return child("B2")->isEnabled(); }));
    simulator->injectGarbage("OK");
    EXPECT_TRUE(waitFor([&] { return memo() == QStringLiteral("OK"); }));
}

TEST_F(WindowTest, DongleAppearingIsOpenedByTheWatchAndVanishingClosesThePortAndSaysSo)
{
    pointFinderAt(QStringLiteral("/nonexistent/port"));
    startWindow();
    QTest::qWait(300);
    EXPECT_FALSE(portOpened());
    EXPECT_FALSE(child<dongle::ComPort>("ComPort")->isOpen());

    const QString port = simulator->slavePath();
    pointFinderAt(port);
    ASSERT_TRUE(waitFor([&] { return portOpened() && child("B2")->isEnabled(); }));

    simulator.reset(); // the device goes away with its port
    ASSERT_TRUE(waitFor([&] { return !child<dongle::ComPort>("ComPort")->isOpen(); }));
    EXPECT_FALSE(portOpened()) << "the watch opens the port afresh when the dongle is back";
    EXPECT_EQ(memo(), lexicons().D4.GetItem(localisation::DongleRemoved).arg(port));
}

TEST_F(WindowTest, DongleThatDoesNotAnswerTheProbeIsClosedWithAMessage)
{
    sim::PseudoTerminal silent;
    pointFinderAt(silent.slavePath());
    // The box comes up after the probe's waits, whenever the window's start is done: it is
    // looked for until it shows.
    QString shownText;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shownText = box->windowTitle() + u'|' + box->text();
            box->accept();
        }
    });
    answerer.start(20);
    startWindow(60000);
    ASSERT_TRUE(waitFor([&] { return !shownText.isEmpty(); }));
    EXPECT_EQ(shownText, QStringLiteral("Test|No modem responding on ") + silent.slavePath());
    EXPECT_FALSE(child<dongle::ComPort>("ComPort")->isOpen());
    EXPECT_EQ(memo(), connectText(lexicons(), 5)) << "the port closed before the message";
}

// A dongle that stops taking bytes: every command then waits on the port until its write
// times out, the status log says so once however many time out, and the window answers
// all along. Once the dongle has taken the bytes, a new stall is said again.
TEST_F(WindowTest, DongleThatStopsTakingBytesIsSaidOnceWhileTheWindowAnswers)
{
    constexpr int kAnswersWithinMs = 100;
    startWindow();
    connectByClick();
    const QString stalled = lexicons().D4.GetItem(localisation::PortWriteStalled).arg(form->link().portName());
    const qsizetype commandsBefore = simulator->receivedCommands().size();
    QSignalSpy portErrors(&form->link(), &dongle::DongleLink::portError);
    const LongestPause pause;
    simulator->setTakingBytes(false);
    click("SP2"); // the sound key sends the settings
    ASSERT_TRUE(waitFor([&] { return memo().contains(stalled); })) << memo().toStdString();
    click("SP2");
    ASSERT_TRUE(waitFor([&] { return portErrors.count() == 2; })) << "the next write times out as well";
    const qint64 longestPauseMs = pause.ms();
    std::cout << "longest pause of the event loop while writes stalled: " << longestPauseMs << " ms\n";
    EXPECT_LT(longestPauseMs, kAnswersWithinMs);
    EXPECT_EQ(memo().count(stalled), 1) << memo().toStdString();

    simulator->setTakingBytes(true);
    ASSERT_TRUE(waitFor([&] { return simulator->receivedCommands().size() == commandsBefore + 2; }));
    simulator->setTakingBytes(false);
    click("SP2");
    EXPECT_TRUE(waitFor([&] { return memo().count(stalled) == 2; })) << memo().toStdString();
}

TEST_F(WindowTest, WindowCannotBeMadeSmallerThanItsMinimum)
{
    startWindow();
    form->resize(800, 500);
    QApplication::processEvents();
    EXPECT_GE(form->frameGeometry().width(), 1024);
    EXPECT_GE(form->frameGeometry().height(), 600);
}

TEST(Timers, StartingARunningTimerKeepsItsInterval)
{
    QTimer timer;
    timer.setInterval(400);
    dongle::startTimerKeepingInterval(&timer);
    QTest::qWait(200);
    dongle::startTimerKeepingInterval(&timer);
    EXPECT_LE(timer.remainingTime(), 220);
    EXPECT_TRUE(timer.isActive());
}
