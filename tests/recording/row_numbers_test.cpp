// The numeric columns every file adds: which cell holds what, empty where a row has no
// such value, and numbers in text that read back as the very same numbers.
#include "recording/row_numbers.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

using recording::NumericTexts;
using recording::RowNumbers;

RowNumbers capacitorJudged()
{
    RowNumbers numbers;
    numbers.values.primaryKind = meter::PrimaryParameter::Capacitance;
    numbers.values.primary = recording::MeasuredValue{1.5915494309189535e-06, false};
    numbers.values.secondaryKind = meter::SecondaryParameter::PhaseAngle;
    numbers.values.secondary = recording::MeasuredValue{-45, false};
    numbers.values.frequencyHz = 1000;
    numbers.values.levelV = 0.5;
    numbers.verdict = recording::VerdictPrimaryOut;
    numbers.primaryDeviationPercent = -1.25;
    numbers.bin = bins::Bin::Aux;
    return numbers;
}

TEST(NumericColumns, AreNamedForProgramsInTheirOrder)
{
    EXPECT_EQ(recording::NumericColumnNames(),
              (QStringList{"primary_value", "primary_unit", "secondary_value", "secondary_unit", "frequency_hz",
                           "level_v", "verdict", "primary_deviation_pct", "secondary_deviation_pct", "bin"}));
}

TEST(NumericColumns, HoldTheRowsNumbersWithUnitsAndVerdictWord)
{
    EXPECT_EQ(NumericTexts(capacitorJudged()),
              (QStringList{"1.5915494309189535e-06", "F", "-45", "\u00B0", "1000", "0.5", "reject-primary", "-1.25", "",
                           "AUX"}));
}

// An overload keeps its unit but never the number behind it; a Q has no unit; no
// tolerance means no verdict; no bin table means no bin; a row without a reading has
// nothing at all.
TEST(NumericColumns, LeaveEmptyWhatTheRowDoesNotHave)
{
    RowNumbers numbers = capacitorJudged();
    numbers.values.primaryKind = meter::PrimaryParameter::Resistance;
    numbers.values.primary = recording::MeasuredValue{3e7, true};
    numbers.values.secondaryKind = meter::SecondaryParameter::Quality;
    numbers.values.secondary = recording::MeasuredValue{2, false};
    numbers.values.frequencyHz.reset();
    numbers.verdict.reset();
    numbers.primaryDeviationPercent.reset();
    numbers.bin.reset();
    EXPECT_EQ(NumericTexts(numbers), (QStringList{"", "\u03A9", "2", "", "", "0.5", "", "", "", ""}));
    EXPECT_EQ(NumericTexts(std::nullopt), QStringList(recording::kNumericColumnCount));
}

TEST(NumericColumns, SayEveryVerdictInItsWord)
{
    using namespace recording;
    const std::pair<std::optional<VerdictCode>, QString> cases[] = {
        {std::nullopt, ""},
        {VerdictPass, "pass"},
        {VerdictPrimaryOut, "reject-primary"},
        {VerdictSecondaryOut, "reject-secondary"},
        {VerdictBothOut, "reject-both"},
        {VerdictUnreadable, "unreadable"},
    };
    for (const auto& [verdict, word] : cases)
        EXPECT_EQ(VerdictWord(verdict), word);
}

// Whatever the number, its text reads back as exactly that number, with '.' as the point.
TEST(NumberText, ReadsBackAsTheSameNumber)
{
    QRandomGenerator random(20261210);
    std::vector<double> numbers = {0.0,
                                   -0.0,
                                   1e-12,
                                   4706.53173828125,
                                   2e7,
                                   std::numeric_limits<double>::min(),
                                   std::numeric_limits<double>::max(),
                                   0.1,
                                   1.0 / 3};
    for (int i = 0; i < 10000; ++i) {
        const double mantissa = random.generateDouble() * 2 - 1;
        numbers.push_back(std::ldexp(mantissa, random.bounded(-60, 60)));
    }
    for (const double number : numbers) {
        const QByteArray text = recording::NumberText(number).toLatin1();
        EXPECT_FALSE(text.contains(',')) << text.constData();
        EXPECT_EQ(std::strtod(text.constData(), nullptr), number) << text.constData();
    }
}

} // namespace
