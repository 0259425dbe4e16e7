#include "simulator_line.h"

#include <QSignalSpy>

namespace {

// Far enough apart that every write arrives as a read of its own.
constexpr int kReportIntervalMs = 120;
constexpr int kSplitGapMs = 40;

const QByteArray kStray("\x31\x0A\xFF", 3);

struct DeliveryCase {
    const char* name;
    sim::FrameDelivery delivery;
    QList<qsizetype> pieceSizes; // of the first two deliveries
};

TEST_F(SimulatorLine, ReportsTravelAsTheDeliverySaysAndCarryTheFramesSent)
{
    const std::vector<DeliveryCase> cases = {
        {"normal", {}, {18, 18}},
        {"paired", {.paired = true}, {36, 36}},
        {"split", {.splitAt = 7, .splitGapMs = kSplitGapMs}, {7, 11, 7, 11}},
        {"garbage", {.strayBefore = kStray}, {21, 21}},
        {"paired, split inside the second frame, garbage",
         {.paired = true, .splitAt = 25, .splitGapMs = kSplitGapMs, .strayBefore = kStray},
         {25, 14, 25, 14}},
    };
    for (const DeliveryCase& c : cases) {
        SCOPED_TRACE(c.name);
        simulator->setFrameDelivery(c.delivery);
        QSignalSpy sent(simulator.get(), &sim::MeterSimulator::frameSent);
        link();
        simulator->setIntervalOverrideMs(kReportIntervalMs);

        const QList<QByteArray> pieces = readPieces(c.pieceSizes.size(), 3000);
        QList<qsizetype> sizes;
        for (const QByteArray& piece : pieces)
            sizes.append(piece.size());
        EXPECT_EQ(sizes, c.pieceSizes);

        const int framesPerWrite = c.delivery.paired ? 2 : 1;
        ASSERT_GE(sent.size(), 2 * framesPerWrite);
        QByteArray expected;
        for (int frame = 0; frame < 2 * framesPerWrite; ++frame) {
            const QByteArray bytes = sent[frame][0].toByteArray();
            EXPECT_TRUE(bytes.endsWith("1\n"));
            expected += (frame % framesPerWrite == 0 ? c.delivery.strayBefore : QByteArray()) + bytes;
        }
        EXPECT_EQ(pieces.join(), expected);

        send("AT");
        readFor(2 * kReportIntervalMs); // "OK+LOST", and what was still on its way
    }
}

} // namespace
