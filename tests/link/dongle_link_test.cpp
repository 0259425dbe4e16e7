// The dongle link without any window, on a real pseudo-terminal against the simulated
// dongle: the automatic connection, frames passed on and held off, the start-up check, and
// a dongle that is pulled out and plugged in again.
#include "link/dongle_link.h"
#include "link/port_problem.h"
#include "sim/meter_simulator.h"
#include "qt_printers.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

constexpr int kWaitMs = 10000; // generous: a loaded machine, the sanitizer build
constexpr int kFastWatchMs = 100;
constexpr int kReportMs = 50;

class DongleLinkTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        simulator = std::make_unique<sim::MeterSimulator>(folder.filePath(QStringLiteral("dongle")));
        simulator->setLinkDelayMs(20);
        simulator->setIntervalOverrideMs(kReportMs);
        qputenv("RLC_DONGLE_PORT", simulator->stablePath().toLocal8Bit());
        link = std::make_unique<dongle::DongleLink>();
        link->findChild<QTimer*>(QStringLiteral("T3"))->setInterval(kFastWatchMs);
        link->loadPortFinder({QStringLiteral(RLC_BIN_DIR)});
    }

    static bool waitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, kWaitMs); }

    // The start-up check from its beginning to its result.
    dongle::DongleLink::ProbeResult probe()
    {
        QSignalSpy finished(link.get(), &dongle::DongleLink::probeFinished);
        link->probe();
        if (!waitFor([&] { return !finished.isEmpty(); })) {
            ADD_FAILURE() << "the probe did not finish";
            return {};
        }
        return finished.first().first().value<dongle::DongleLink::ProbeResult>();
    }

    QTemporaryDir folder;
    std::unique_ptr<sim::MeterSimulator> simulator;
    std::unique_ptr<dongle::DongleLink> link;
};

TEST_F(DongleLinkTest, AutomaticConnectionLinksAndPassesFramesUnlessHeld)
{
    QSignalSpy frames(link.get(), &dongle::DongleLink::frameReceived);
    QSignalSpy arrived(link.get(), &dongle::DongleLink::frameArrived);
    link->setAutoConnect(true);
    ASSERT_TRUE(waitFor([&] { return link->isMeterLinked(); }));
    EXPECT_EQ(link->connectAction(), dongle::ConnectAction::Disconnect);
    ASSERT_TRUE(waitFor([&] { return frames.count() >= 3; }));

    link->holdFramesWhileChoosing();
    const qsizetype shown = frames.count();
    const qsizetype seen = arrived.count();
    QTest::qWait(4 * kReportMs);
    EXPECT_EQ(frames.count(), shown) << "held-off frames are dropped";
    EXPECT_GT(arrived.count(), seen) << "but the meter is still heard";
}

// The device goes away while linked: the link is down at once and says why; once it is
// back behind the same name, the lost link is made again by itself.
TEST_F(DongleLinkTest, UnpluggedDongleTakesTheLinkDownAndItsReturnLinksAgain)
{
    QSignalSpy lost(link.get(), &dongle::DongleLink::meterLinkLost);
    QSignalSpy problems(link.get(), &dongle::DongleLink::portProblem);
    QSignalSpy frames(link.get(), &dongle::DongleLink::frameReceived);
    link->toggleLink(); // connect by hand: the automatic connection stays off
    ASSERT_TRUE(waitFor([&] { return link->isMeterLinked(); }));

    simulator->unplug();
    ASSERT_TRUE(waitFor([&] { return !link->isMeterLinked(); }));
    EXPECT_EQ(lost.count(), 1);
    ASSERT_EQ(problems.count(), 1);
    const auto problem = problems.first().first().value<dongle::PortProblem>();
    EXPECT_EQ(problem.kind, dongle::PortProblemKind::Removed);
    EXPECT_EQ(problem.port, simulator->stablePath());
    EXPECT_FALSE(link->portOpened());
    EXPECT_EQ(link->connectAction(), dongle::ConnectAction::Connect);

    simulator->replug();
    ASSERT_TRUE(waitFor([&] { return link->isMeterLinked(); })) << "a lost link is made again";
    const qsizetype before = frames.count();
    EXPECT_TRUE(waitFor([&] { return frames.count() > before; }));
    EXPECT_EQ(problems.count(), 1) << "the removal was said once";
}

// The dongle comes back under another device name: the link follows the name the finder
// reports now.
TEST_F(DongleLinkTest, DongleBackUnderAnotherNameIsLinkedThere)
{
    link->setAutoConnect(true);
    ASSERT_TRUE(waitFor([&] { return link->isMeterLinked(); }));
    simulator->unplug();
    ASSERT_TRUE(waitFor([&] { return !link->isMeterLinked(); }));
    const QString otherName = folder.filePath(QStringLiteral("other-name"));
    qputenv("RLC_DONGLE_PORT", otherName.toLocal8Bit());
    simulator->replug();
    QTest::qWait(3 * kFastWatchMs);
    EXPECT_FALSE(link->isMeterLinked()) << "the old name is not looked at";
    ASSERT_TRUE(QFile::link(QFileInfo(simulator->stablePath()).symLinkTarget(), otherName));
    ASSERT_TRUE(waitFor([&] { return link->isMeterLinked(); }));
    EXPECT_EQ(link->portName(), otherName);
}

// A port the user names is the dongle's, and no other port is looked for in its place.
TEST_F(DongleLinkTest, NamedPortIsTheDongleAndNoOtherIsLookedFor)
{
    link->usePort(QStringLiteral("/nonexistent/port"));
    EXPECT_EQ(probe(), dongle::DongleLink::ProbeResult::NoDongle)
        << "the finder, which knows the simulator, is not asked";

    qunsetenv("RLC_DONGLE_PORT");
    link->usePort(simulator->stablePath());
    ASSERT_EQ(probe(), dongle::DongleLink::ProbeResult::Answered);
    link->setAutoConnect(true);
    EXPECT_TRUE(waitFor([&] { return link->isMeterLinked(); }));
    EXPECT_EQ(link->portName(), simulator->stablePath());
}

// The start-up check asks "AT" twice; what the link would write meanwhile (the user's
// connect click) goes out after it, and its answer is the link's again.
TEST_F(DongleLinkTest, WhatTheLinkWritesDuringTheProbeFollowsTheProbesQuestions)
{
    QSignalSpy finished(link.get(), &dongle::DongleLink::probeFinished);
    link->probe();
    link->toggleLink();
    ASSERT_TRUE(waitFor([&] { return !finished.isEmpty(); }));
    EXPECT_EQ(finished.first().first().value<dongle::DongleLink::ProbeResult>(),
              dongle::DongleLink::ProbeResult::Answered);
    ASSERT_TRUE(waitFor([&] { return link->isMeterLinked(); }));
    EXPECT_EQ(simulator->receivedAtTexts(), QList<QByteArray>({"AT", "AT", "AT+CONNL"}));
}

// A settings command holds frames off itself, until the command timer lets them through; a
// mode command holds nothing, since the view changes with the first frame of the new mode.
struct SentCommand {
    const char* name;
    std::function<void(dongle::DongleLink&)> send;
    bool holdsFrames;
};

class CommandHoldTest : public DongleLinkTest, public testing::WithParamInterface<SentCommand> {};

TEST_P(CommandHoldTest, FramesAreHeldOnlyBySettings)
{
    QSignalSpy frames(link.get(), &dongle::DongleLink::frameReceived);
    link->toggleLink();
    ASSERT_TRUE(waitFor([&] { return link->isMeterLinked() && !frames.isEmpty(); }));
    std::optional<qsizetype> framesWhenReleased;
    QObject::connect(link->findChild<QTimer*>(QStringLiteral("Timer_TX")), &QTimer::timeout, link.get(),
                     [&] { framesWhenReleased = frames.count(); });
    GetParam().send(*link);
    EXPECT_EQ(link->framesHeld(), GetParam().holdsFrames);
    const qsizetype shown = frames.count();
    ASSERT_TRUE(waitFor([&] { return framesWhenReleased.has_value(); }));
    EXPECT_EQ(*framesWhenReleased > shown, !GetParam().holdsFrames) << "frames while the command timer ran";
    EXPECT_FALSE(link->framesHeld());
    EXPECT_TRUE(waitFor([&] { return frames.count() > *framesWhenReleased; })) << "and frames after it";
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandHoldTest,
    testing::Values(SentCommand{"Settings",
                                [](dongle::DongleLink& link) {
                                    meter::TMeterSettings settings;
                                    link.SendSettings(settings, false);
                                },
                                true},
                    SentCommand{"Mode", [](dongle::DongleLink& link) { link.SendModeCommand(0x81, false); }, false}),
    [](const testing::TestParamInfo<SentCommand>& test) { return std::string(test.param.name); });

// A link the user dropped stays down.
TEST_F(DongleLinkTest, LinkDroppedByTheUserIsNotMadeAgain)
{
    link->toggleLink();
    ASSERT_TRUE(waitFor([&] { return link->isMeterLinked(); }));
    link->toggleLink(); // disconnect
    ASSERT_TRUE(waitFor([&] { return !link->isMeterLinked(); }));
    QTest::qWait(5 * kFastWatchMs);
    EXPECT_FALSE(link->isMeterLinked());
    EXPECT_FALSE(simulator->isLinked());
}

} // namespace
