#include "recording/decimal_text.h"
#include "recording/log_formats.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace recording;

TEST(LogTimestamp, TwoDigitFieldsWithTheGivenTimeSeparator)
{
    const QDateTime when(QDate(2024, 3, 5), QTime(7, 8, 9));
    EXPECT_EQ(FormatLogTimestamp(when, u':'), QStringLiteral("05.03.24 07:08:09"));
    EXPECT_EQ(FormatLogTimestamp(when, u'.'), QStringLiteral("05.03.24 07.08.09"));
    EXPECT_EQ(FormatLogTimestamp(QDateTime(QDate(2031, 12, 31), QTime(23, 59, 58)), u':'),
              QStringLiteral("31.12.31 23:59:58"));
}

TEST(LogDeviation, FourSignificantDigitsShownWithTwoDecimals)
{
    const struct {
        double percent;
        char16_t separator;
        const char* shown;
    } cases[] = {
        {1.23456, u'.', "1.23"},       {123.456, u'.', "123.50"},  {12.3456, u',', "12,35"},
        {1234.56, u'.', "1235.00"},    {-123.456, u'.', "-123.50"}, {0, u'.', "0.00"},
        {0.004, u'.', "0.00"},         {12345.6, u'.', "1.235E+04"}, {12345.6, u',', "1,235E+04"},
        {-250000, u'.', "-2.500E+05"}, {9999.7, u'.', "1.000E+04"},  {999.96, u'.', "1000.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDeviation(c.percent, QChar(c.separator)), QString::fromUtf8(c.shown)) << c.percent;
}

// The export writes these numbers where the log shows the texts, so each must be the
// number its text stands for, rounding halves and all.
TEST(LogDeviation, AsANumberItIsTheValueTheLogShows)
{
    const struct {
        double percent;
        double shown;
    } cases[] = {
        {1.23456, 1.23},  {12.3456, 12.35},   {123.456, 123.5}, {1234.5, 1235},      {-123.456, -123.5},
        {0.125, 0.13},    {0.375, 0.38},      {2.675, 2.67},    {1.005, 1},          {9.995, 9.99},
        {99.995, 100},    {999.96, 1000},     {9999.7, 10000},  {-9999.4, -9999},    {0.004, 0},
        {12345.6, 12350}, {-250000, -250000}, {1e30, 1e30},     {-1.23456e-7, -0.0},
    };
    for (const auto& c : cases) {
        const std::optional<double> shown = DeviationAsShown(c.percent);
        ASSERT_TRUE(shown) << c.percent;
        EXPECT_EQ(*shown, c.shown) << c.percent;
        EXPECT_EQ(shown, ParseDecimal(FormatDeviation(c.percent, u','))) << c.percent;
    }
    // "-0.00" stays negative, as a spreadsheet shows it.
    EXPECT_TRUE(std::signbit(*DeviationAsShown(-0.001)));
}

TEST(LogTimestamp, AsShownHasWholeSecondsAndTheShownYear)
{
    const struct {
        QDateTime when;
        QDateTime shown;
    } cases[] = {
        {QDateTime(QDate(2024, 3, 5), QTime(14, 2, 9, 750)), QDateTime(QDate(2024, 3, 5), QTime(14, 2, 9))},
        {QDateTime(QDate(2031, 12, 31), QTime(23, 59, 58)), QDateTime(QDate(2031, 12, 31), QTime(23, 59, 58))},
        {QDateTime(QDate(1999, 12, 31), QTime(8, 0, 1)), QDateTime(QDate(2099, 12, 31), QTime(8, 0, 1))},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LogTimestampAsShown(c.when), c.shown) << c.when.toString().toStdString();
        EXPECT_EQ(FormatLogTimestamp(LogTimestampAsShown(c.when), u':'), FormatLogTimestamp(c.when, u':'));
    }
    EXPECT_FALSE(LogTimestampAsShown(QDateTime()).isValid());
}
