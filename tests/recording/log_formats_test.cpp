#include "log_formats.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

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
