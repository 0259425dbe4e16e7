// The meter session without any window: a frame becomes a typed reading, what the RLCD
// view shows, and a row of the log.
#include "resistor_frame.h"
#include "link/dongle_link.h"
#include "localisation/main_lexicons.h"
#include "qt_printers.h"
#include "recording/append_log_row.h"
#include "recording/measurement_log_model.h"
#include "session/log_reading.h"
#include "session/meter_session.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class MeterSessionTest : public testing::Test {
protected:
    localisation::MainLexicons lexicons; // the designed texts: no language is loaded
    dongle::DongleLink link;
    session::MeterSession session{link, lexicons};
};

TEST_F(MeterSessionTest, AReadingGoesFromTheSessionToALogRow)
{
    QSignalSpy decoded(&session, &session::MeterSession::rlcdDecoded);
    session.DispatchFrame(resistorFrame(1000));
    ASSERT_EQ(decoded.count(), 1);
    EXPECT_DOUBLE_EQ(session.lastReading().SerR, 1000);
    EXPECT_EQ(session.display().primaryLetter, QStringLiteral("R"));
    EXPECT_EQ(session.display().primaryValue, QStringLiteral("1.0000 кОм"));

    recording::ReadingJudgement judgement;
    judgement.verdict = recording::VerdictPrimaryOut;
    judgement.deviations.primary = 12.3456;
    judgement.primaryOn = true;
    const QDateTime when(QDate(2026, 12, 10), QTime(9, 30, 5));
    recording::LogRowInput reading = session::LogReading(session, judgement, lexicons, when);
    reading.startPosition = 4;

    recording::MeasurementLogModel log;
    log.setDisplayTexts({QStringLiteral("+"), QStringLiteral("-"), u'.', u':'});
    recording::AppendLogRow(log, reading);
    const std::array<QString, 10> row = log.gridRowTexts(4);
    const std::array<QString, 10> expected{QStringLiteral("4"),
                                           QStringLiteral("10.12.26 09:30:05"),
                                           QStringLiteral("R 1.0000 кОм"),
                                           session.display().secondaryText(),
                                           QStringLiteral("S"),
                                           session.freqText(),
                                           session.levelText(),
                                           QStringLiteral("+"),
                                           QStringLiteral("12.35"),
                                           QString()};
    EXPECT_EQ(row, expected);
    EXPECT_EQ(log.gridRowVerdict(4), recording::VerdictPrimaryOut);
}

// The user's choice shows at once and stays until the meter's next report overrides it.
TEST_F(MeterSessionTest, ChoiceShowsUntilTheNextReportOverridesIt)
{
    session.DispatchFrame(resistorFrame(1000));
    ASSERT_TRUE(session.choosePrimary(3)); // L
    EXPECT_EQ(session.display().primaryLetter, QStringLiteral("L"));
    EXPECT_EQ(session.settings().PrimKind, 3);
    EXPECT_FALSE(session.choosePrimary(9)) << "a row outside the menu changes nothing";
    session.DispatchFrame(resistorFrame(1000));
    EXPECT_EQ(session.display().primaryLetter, QStringLiteral("R")) << "the meter is the authority";
}

TEST_F(MeterSessionTest, LinkDownEmptiesTheReadingsButKeepsTheSettingsShown)
{
    session.DispatchFrame(resistorFrame(1000));
    const meter::RlcdDisplay before = session.display();
    session.clearReadings();
    EXPECT_EQ(session.display().primaryValue, QString());
    EXPECT_EQ(session.display().sideImpedance, QString());
    EXPECT_EQ(session.display().primaryLetter, before.primaryLetter);
    EXPECT_EQ(session.display().frequency, before.frequency);
}

} // namespace
