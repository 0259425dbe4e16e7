#include "simulator_line.h"

#include <QSignalSpy>

namespace {

bool isValidFrame(const QByteArray& frame)
{
    return frame.size() == sim::kFrameLength && frame.endsWith("1\n") && (byteAt(frame, 15) & 0x0F) == 1;
}

class InjectedFaults : public SimulatorLine {
protected:
    void SetUp() override
    {
        SimulatorLine::SetUp();
        link();
        simulator->setIntervalOverrideMs(60'000); // only the injected bytes travel
        readFor(2 * kFastIntervalMs);
    }
};

TEST_F(InjectedFaults, GarbageArrivesAsGiven)
{
    const QByteArray garbage("\x00\xff\x31\x0a?", 5);
    simulator->injectGarbage(garbage);
    EXPECT_EQ(readFor(100), garbage);
}

TEST_F(InjectedFaults, ReplyAndFrameTravelInOneWrite)
{
    simulator->injectReplyWithFrame("OK");
    const QByteArray burst = readFor(100);
    ASSERT_EQ(burst.size(), 2 + sim::kFrameLength);
    EXPECT_TRUE(burst.startsWith("OK"));
    EXPECT_TRUE(isValidFrame(burst.mid(2)));
}

TEST_F(InjectedFaults, SplitFrameArrivesInTwoPartsWithAGap)
{
    QSignalSpy sent(simulator.get(), &sim::MeterSimulator::frameSent);
    simulator->injectSplitFrame(7, 150);
    const QByteArray head = readFor(80);
    EXPECT_EQ(head.size(), 7);
    const QByteArray tail = readFor(200);
    EXPECT_EQ(tail.size(), sim::kFrameLength - 7);
    EXPECT_TRUE(isValidFrame(head + tail));
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0][0].toByteArray(), head + tail);
}

TEST_F(InjectedFaults, LinkLossIsAnnouncedAndStopsFrames)
{
    simulator->setIntervalOverrideMs(kFastIntervalMs);
    simulator->injectLinkLoss();
    EXPECT_EQ(readFor(4 * kFastIntervalMs), "OK+LOST");
    EXPECT_FALSE(simulator->isLinked());
    send("AT");
    EXPECT_EQ(readFor(150), "OK") << "the dongle is back in its unlinked state";
}

TEST_F(InjectedFaults, BrokenFramesDifferOnlyWhereClaimed)
{
    simulator->meter().setNextReading(sim::RlcdReading{5, 6});
    simulator->injectWrongTrailer();
    const QByteArray wrongTrailer = readFor(100);
    ASSERT_EQ(wrongTrailer.size(), sim::kFrameLength);
    EXPECT_EQ(byteAt(wrongTrailer, 16), 0x31);
    EXPECT_EQ(byteAt(wrongTrailer, 17), 0x0D);
    EXPECT_EQ(floatAt(wrongTrailer, 0), 5.0f);

    simulator->injectUnknownMode(0x04);
    const QByteArray unknownMode = readFor(100);
    ASSERT_EQ(unknownMode.size(), sim::kFrameLength);
    EXPECT_EQ(byteAt(unknownMode, 15), 0x44) << "mode 4, brightness kept";
    EXPECT_TRUE(unknownMode.endsWith("1\n"));
}

} // namespace
