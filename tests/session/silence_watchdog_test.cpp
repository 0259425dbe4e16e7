// The silence watchdog on real timers, with a report interval short enough for a test.
#include "session/silence_watchdog.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kIntervalMs = 20;

class SilenceWatchdogTest : public testing::Test {
protected:
    SilenceWatchdogTest() { watchdog.setReportIntervalMs(kIntervalMs); }

    int silenceAfterMs() const { return watchdog.silenceAfterMs(); }

    session::SilenceWatchdog watchdog;
    QSignalSpy began{&watchdog, &session::SilenceWatchdog::silenceBegan};
    QSignalSpy ended{&watchdog, &session::SilenceWatchdog::silenceEnded};
};

TEST_F(SilenceWatchdogTest, SilenceIsSaidOnceAfterThreeIntervalsAndAMarginAndTheNextFrameEndsIt)
{
    EXPECT_EQ(silenceAfterMs(), 3 * kIntervalMs + session::SilenceWatchdog::kMarginMs);
    watchdog.setArmed(true);
    for (int frame = 0; frame < 5; ++frame) {
        QTest::qWait(silenceAfterMs() / 2);
        watchdog.frameArrived();
    }
    EXPECT_EQ(began.count(), 0) << "frames keep it quiet";

    ASSERT_TRUE(began.wait(2 * silenceAfterMs()));
    EXPECT_EQ(began.first().first().toInt(), silenceAfterMs());
    EXPECT_TRUE(watchdog.isSilent());
    QTest::qWait(silenceAfterMs() + 100);
    EXPECT_EQ(began.count(), 1) << "said once, not again and again";

    watchdog.frameArrived();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(watchdog.isSilent());
}

TEST_F(SilenceWatchdogTest, DisarmedItSaysNothing)
{
    watchdog.setArmed(true);
    watchdog.setArmed(false);
    QTest::qWait(silenceAfterMs() + 100);
    watchdog.frameArrived();
    EXPECT_EQ(began.count(), 0);
    EXPECT_EQ(ended.count(), 0);
}

} // namespace

// The settings record carries the interval as the meter's code, which counts down as the
// interval grows; a code that names no interval leaves the watch as it was.
TEST(SilenceWatchdogInterval, FollowsTheMetersIntervalCode)
{
    session::SilenceWatchdog watchdog;
    const auto silenceAfterIntervalMs = [](int intervalMs) {
        return session::SilenceWatchdog::kIntervalsBeforeSilence * intervalMs + session::SilenceWatchdog::kMarginMs;
    };
    watchdog.followIntervalCode(3);
    EXPECT_EQ(watchdog.silenceAfterMs(), silenceAfterIntervalMs(500));
    watchdog.followIntervalCode(1);
    EXPECT_EQ(watchdog.silenceAfterMs(), silenceAfterIntervalMs(2000));
    watchdog.followIntervalCode(0);
    EXPECT_EQ(watchdog.silenceAfterMs(), silenceAfterIntervalMs(2000));
}
