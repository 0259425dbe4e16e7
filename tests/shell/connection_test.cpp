// Finding the dongle, linking and unlinking the meter, and what the connection controls
// and the status log show on the way.
#include "window_fixture.h"

#include "main_lexicons.h"
#include "pseudo_terminal.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>

namespace {

// The connection texts of the current language.
QString connectText(const TForm1& form, int item)
{
    return form.lexicons->Dlang_connect.GetItem(item);
}

} // namespace

TEST_F(WindowTest, ClickLinksTheMeterAndShowsTheConnectionLines)
{
    startWindow();
    EXPECT_EQ(form->B2->text(), connectText(*form, 0));
    connectByClick();
    EXPECT_TRUE(simulator->receivedAtTexts().contains("AT+CONNL"));
    EXPECT_EQ(form->B2->text(), connectText(*form, 1));
    EXPECT_EQ(memo(), connectText(*form, 2) + u'\n' + connectText(*form, 4));
    EXPECT_TRUE(form->SP1->isEnabled());
    EXPECT_FALSE(form->T3->isActive());
    EXPECT_FALSE(form->SB4->isChecked());
    EXPECT_FALSE(form->Button_Add->isEnabled());
}

TEST_F(WindowTest, ClickWhileLinkedDisconnectsThroughTheDongle)
{
    startWindow();
    connectByClick();
    form->L_prim_n->setText(QStringLiteral("reading"));
    ASSERT_TRUE(waitFor([&] { return form->B2->isEnabled(); }));
    pauseReports();
    simulator->clearRecords();
    QTest::mouseClick(form->B2, Qt::LeftButton);
    EXPECT_TRUE(simulator->receivedAtTexts().isEmpty() || simulator->receivedAtTexts().first() == "AT");
    ASSERT_TRUE(waitFor([&] { return !form->MeterLinked && form->B2->text() == connectText(*form, 0); }));
    EXPECT_EQ(simulator->receivedAtTexts().first(), QByteArray("AT"));
    EXPECT_TRUE(memo().endsWith(connectText(*form, 5)));
    EXPECT_TRUE(form->SB4->isChecked());
    EXPECT_FALSE(form->SP1->isEnabled());
    EXPECT_TRUE(form->T3->isActive());
    EXPECT_TRUE(form->L_prim_n->text().isEmpty());
    EXPECT_TRUE(form->Button_Add->isEnabled());
}

TEST_F(WindowTest, LinkLossReportedByTheDongleTakesTheLinkDown)
{
    startWindow();
    connectByClick();
    pauseReports();
    simulator->injectLinkLoss();
    ASSERT_TRUE(waitFor([&] { return !form->MeterLinked; }));
    EXPECT_EQ(form->B2->text(), connectText(*form, 0));
    EXPECT_TRUE(memo().endsWith(connectText(*form, 5)));
    EXPECT_TRUE(form->T3->isActive());
}

TEST_F(WindowTest, AutomaticConnectionLinksOnTheDongleWatchAndStoresTheFlag)
{
    startWindow();
    QTest::mouseClick(form->CheckBox_connect_auto, Qt::LeftButton);
    EXPECT_TRUE(form->CheckBox_connect_auto->isChecked());
    EXPECT_FALSE(form->B2->isEnabled());
    EXPECT_EQ(stateFile().mid(204, 1), QByteArray(1, '\x01'));
    ASSERT_TRUE(waitFor([&] { return form->MeterLinked; })) << memo().toStdString();
    EXPECT_FALSE(form->B2->isEnabled()) << "with automatic connection the button stays disabled";

    QTest::mouseClick(form->CheckBox_connect_auto, Qt::LeftButton);
    EXPECT_TRUE(form->B2->isEnabled());
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
    EXPECT_TRUE(form->CheckBox_connect_auto->isChecked());
    EXPECT_TRUE(waitFor([&] { return form->MeterLinked; }));
}

TEST_F(WindowTest, FirstStartCreatesAnEmptyStateFile)
{
    startWindow();
    EXPECT_TRUE(QFileInfo::exists(stateFilePath()));
    EXPECT_FALSE(form->CheckBox_connect_auto->isChecked());
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
    ASSERT_TRUE(waitFor([&] { return form->B2->isEnabled(); }));
    QTest::mouseClick(form->B2, Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return form->T2->isActive(); }));
    EXPECT_FALSE(form->MeterLinked);
    EXPECT_FALSE(form->SP1->isEnabled());
    const QString lastLine = GetParam().refused ? QStringLiteral("NN ") + connectText(*form, 3) : connectText(*form, 2);
    EXPECT_TRUE(memo().endsWith(lastLine)) << memo().toStdString();
    EXPECT_TRUE(waitFor([&] { return form->B2->isEnabled(); })) << "T2 enables the button again";
}

INSTANTIATE_TEST_SUITE_P(
    Replies, FailedAttemptTest,
    ::testing::Values(FailedAttempt{"CONNE", sim::MeterSimulator::ConnectOutcome::FailE, false},
                      FailedAttempt{"CONNF", sim::MeterSimulator::ConnectOutcome::FailF, false},
                      FailedAttempt{"CONNEOK_CONNF", sim::MeterSimulator::ConnectOutcome::FailEF, false},
                      FailedAttempt{"CONNN", sim::MeterSimulator::ConnectOutcome::Refuse, true}),
    [](const ::testing::TestParamInfo<FailedAttempt>& info) { return std::string(info.param.name); });

TEST_F(WindowTest, RepliesAreMatchedAsWholeReads)
{
    startWindow();
    ASSERT_TRUE(waitFor([&] { return form->B2->isEnabled(); }));

    simulator->injectGarbage("OK+CONNLOK+CONN\r\n"); // 17 characters: no case matches
    QTest::qWait(150);
    EXPECT_FALSE(form->MeterLinked);

    simulator->injectGarbage("OK+LOSTxx"); // a reply followed by more is not the reply
    QTest::qWait(150);
    EXPECT_EQ(memo(), QString());

    simulator->injectGarbage("OK+CONNLOK+CONN\r\nZ"); // one more character brings the link up
    EXPECT_TRUE(waitFor([&] { return form->MeterLinked; }));
}

TEST_F(WindowTest, PlainOkIsLoggedAsItCame)
{
    startWindow();
    ASSERT_TRUE(waitFor([&] { return form->B2->isEnabled(); }));
    simulator->injectGarbage("OK");
    EXPECT_TRUE(waitFor([&] { return memo() == QStringLiteral("OK"); }));
}

TEST_F(WindowTest, DongleAppearingIsOpenedByTheWatchAndVanishingClosesThePort)
{
    pointFinderAt(QStringLiteral("/nonexistent/port"));
    startWindow();
    QTest::qWait(300);
    EXPECT_FALSE(form->PortOpened);
    EXPECT_FALSE(form->ComPort->isOpen());

    pointFinderAt(simulator->slavePath());
    ASSERT_TRUE(waitFor([&] { return form->PortOpened && form->B2->isEnabled(); }));

    simulator.reset(); // the device goes away with its port
    ASSERT_TRUE(waitFor([&] { return !form->ComPort->isOpen(); }));
    EXPECT_TRUE(form->PortOpened) << "a port that vanished with its device keeps the flag";
    EXPECT_EQ(memo(), QString()) << "closing without the device runs no closing reaction";
}

TEST_F(WindowTest, DongleThatDoesNotAnswerTheProbeIsClosedWithAMessage)
{
    sim::PseudoTerminal silent;
    pointFinderAt(silent.slavePath());
    QString shownText;
    // The probe takes its two waits before the box shows, longer on a slow build.
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shownText = box->windowTitle() + u'|' + box->text();
            box->accept();
        }
    });
    answerer.start(20);
    startWindow(60000);
    EXPECT_EQ(shownText, QStringLiteral("Test|No modem responding on ") + silent.slavePath());
    EXPECT_FALSE(form->ComPort->isOpen());
    EXPECT_EQ(memo(), connectText(*form, 5));
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
    startTimerKeepingInterval(&timer);
    QTest::qWait(200);
    startTimerKeepingInterval(&timer);
    EXPECT_LE(timer.remainingTime(), 220);
    EXPECT_TRUE(timer.isActive());
}
