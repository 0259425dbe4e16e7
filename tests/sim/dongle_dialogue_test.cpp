#include "simulator_line.h"

#include <QSerialPort>
#include <QSignalSpy>

namespace {

using Outcome = sim::MeterSimulator::ConnectOutcome;

TEST_F(SimulatorLine, AtDialogueFollowsTheLinkState)
{
    QSignalSpy linkChanges(simulator.get(), &sim::MeterSimulator::linkStateChanged);
    send("AT");
    EXPECT_EQ(readFor(150), "OK");

    simulator->setIntervalOverrideMs(kFastIntervalMs);
    send("AT+CONNL");
    EXPECT_EQ(readFor(60), "OK+CONNL") << "the link-up reply must come separately, after the delay";
    EXPECT_EQ(readUntil(9, 1000), "OK+CONN\r\n");
    EXPECT_TRUE(simulator->isLinked());
    EXPECT_EQ(readFrame().size(), sim::kFrameLength);

    send("AT");
    EXPECT_TRUE(readFor(150).endsWith("OK+LOST"));
    EXPECT_FALSE(simulator->isLinked());
    EXPECT_TRUE(readFor(4 * kFastIntervalMs).isEmpty()) << "frames stop with the link";
    ASSERT_EQ(linkChanges.size(), 2);
    EXPECT_EQ(linkChanges[0][0].toBool(), true);
    EXPECT_EQ(linkChanges[1][0].toBool(), false);
    EXPECT_EQ(simulator->receivedAtTexts(), (QList<QByteArray>{"AT", "AT+CONNL", "AT"}));
}

TEST_F(SimulatorLine, RefusedConnectionsAnswerAfterConnectingAndSendNoFrames)
{
    const std::vector<std::pair<Outcome, QByteArray>> refusals = {
        {Outcome::FailE, "OK+CONNE"},
        {Outcome::FailF, "OK+CONNF"},
        {Outcome::FailEF, "OK+CONNEOK+CONNF"},
        {Outcome::Refuse, "OK+CONNN"},
    };
    simulator->setIntervalOverrideMs(kFastIntervalMs);
    for (const auto& [outcome, reply] : refusals) {
        SCOPED_TRACE(reply.toStdString());
        simulator->setConnectOutcome(outcome);
        send("AT+CONNL");
        EXPECT_EQ(readFor(60), "OK+CONNL");
        EXPECT_EQ(readUntil(reply.size(), 1000), reply);
        EXPECT_FALSE(simulator->isLinked());
        EXPECT_TRUE(readFor(3 * kFastIntervalMs).isEmpty());
    }
}

TEST_F(SimulatorLine, CombinedLinkReplyCarriesTheFirstFrameInTheSameWrite)
{
    simulator->setConnectOutcome(Outcome::LinkCombined);
    simulator->setIntervalOverrideMs(1000);
    send("AT+CONNL");
    const QByteArray burst = readUntil(17 + sim::kFrameLength, 500);
    ASSERT_EQ(burst.size(), 17 + sim::kFrameLength);
    EXPECT_TRUE(burst.startsWith("OK+CONNLOK+CONN\r\n"));
    EXPECT_TRUE(burst.endsWith("1\n"));
    EXPECT_TRUE(simulator->isLinked());
}

// The program opens its port through QSerialPort with the dongle's line settings; the
// pseudo-terminal must take them and carry the dialogue.
TEST_F(SimulatorLine, ServesAPortOpenedLikeTheProgramDoes)
{
    QSerialPort port(simulator->slavePath());
    port.setBaudRate(57600);
    port.setFlowControl(QSerialPort::HardwareControl);
    ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
    port.write("AT");
    QElapsedTimer clock;
    clock.start();
    while (port.bytesAvailable() < 2 && clock.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(port.readAll(), "OK");
}

} // namespace
