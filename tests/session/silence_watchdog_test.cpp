// The silence watchdog on a clock the test turns by hand: what it says after seconds of
// silence is checked to the millisecond, however slowly the machine runs.
#include "hand_turned_alarm.h"
#include "session/silence_watchdog.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kIntervalMs = 20;

class SilenceWatchdogTest : public testing::Test {
protected:
    SilenceWatchdogTest() { watchdog.setReportIntervalMs(kIntervalMs); }

    int silenceAfterMs() const { return watchdog.silenceAfterMs(); }

    HandTurnedAlarm* alarm = new HandTurnedAlarm; // owned by the watchdog
    session::SilenceWatchdog watchdog{std::unique_ptr<session::Alarm>(alarm)};
    QSignalSpy began{&watchdog, &session::SilenceWatchdog::silenceBegan};
    QSignalSpy ended{&watchdog, &session::SilenceWatchdog::silenceEnded};
};

TEST_F(SilenceWatchdogTest, SilenceIsSaidOnceAfterThreeIntervalsAndAMarginAndTheNextFrameEndsIt)
{
    EXPECT_EQ(silenceAfterMs(), 3 * kIntervalMs + session::SilenceWatchdog::kMarginMs);
    watchdog.setArmed(true);
    for (int frame = 0; frame < 5; ++frame) {
        alarm->advance(silenceAfterMs() - 1);
        watchdog.frameArrived();
    }
    EXPECT_EQ(began.count(), 0) << "each frame starts the watch over";

    alarm->advance(silenceAfterMs() - 1);
    EXPECT_EQ(began.count(), 0);
    alarm->advance(1);
    ASSERT_EQ(began.count(), 1);
    EXPECT_EQ(began.first().first().toInt(), silenceAfterMs());
    EXPECT_TRUE(watchdog.isSilent());
    alarm->advance(10 * silenceAfterMs());
    EXPECT_EQ(began.count(), 1) << "said once, not again and again";

    watchdog.frameArrived();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(watchdog.isSilent());
    alarm->advance(silenceAfterMs());
    EXPECT_EQ(began.count(), 2) << "watching goes on after the silence ended";
}

TEST_F(SilenceWatchdogTest, DisarmedItSaysNothing)
{
    watchdog.setArmed(true);
    watchdog.setArmed(false);
    alarm->advance(10 * silenceAfterMs());
    watchdog.frameArrived();
    EXPECT_EQ(began.count(), 0);
    EXPECT_EQ(ended.count(), 0);
}

// A new interval starts the watch over with the new length; a silence already said stays
// said.
TEST_F(SilenceWatchdogTest, NewIntervalStartsTheWatchOverWithItsLength)
{
    watchdog.setArmed(true);
    alarm->advance(silenceAfterMs() - 1);
    watchdog.setReportIntervalMs(2 * kIntervalMs);
    alarm->advance(silenceAfterMs() - 1);
    EXPECT_EQ(began.count(), 0);
    alarm->advance(1);
    EXPECT_EQ(began.count(), 1);
    watchdog.setReportIntervalMs(kIntervalMs);
    alarm->advance(10 * silenceAfterMs());
    EXPECT_EQ(began.count(), 1);
    EXPECT_TRUE(watchdog.isSilent());
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
