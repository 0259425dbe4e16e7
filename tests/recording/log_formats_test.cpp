#include "recording/decimal_text.h"
#include "recording/log_formats.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iomanip>
#include <vector>

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
        {1.23456, u'.', "1.23"},
        {123.456, u'.', "123.50"},
        {12.3456, u',', "12,35"},
        {1234.56, u'.', "1235.00"},
        {-123.456, u'.', "-123.50"},
        {0, u'.', "0.00"},
        {0.004, u'.', "0.00"},
        {12345.6, u'.', "1.235E+04"},
        {12345.6, u',', "1,235E+04"},
        {-250000, u'.', "-2.500E+05"},
        {9999.7, u'.', "1.000E+04"},
        {999.96, u'.', "1000.00"},
        // Halves go away from zero, and a negative zero shows no sign unless it was rounded to.
        {0.125, u'.', "0.13"},
        {-0.125, u'.', "-0.13"},
        {100.25, u'.', "100.30"},
        {9999.5, u'.', "1.000E+04"},
        {-0.0, u'.', "0.00"},
        {-0.001, u'.', "-0.00"},
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

namespace {

// The rule as the log first applied it, with Qt's number formatting and one QString per step.
QString shownByQtFormatting(double percent)
{
    const double magnitude = std::abs(percent);
    const int integerDigits = magnitude < 1 ? 1 : int(std::floor(std::log10(magnitude))) + 1;
    if (integerDigits <= 4) {
        const int decimals = std::min(2, 4 - integerDigits);
        const QString text = QString::number(percent, 'f', decimals);
        QString integerPart = text.section(u'.', 0, 0);
        if (integerPart.remove(u'-').size() <= 4)
            return text + (decimals == 0 ? QStringLiteral(".") : QString()) + QString(2 - decimals, u'0');
    }
    return QString::number(percent, 'E', 3);
}

} // namespace

// The texts and numbers are made from one numeric rounding rather than by Qt's formatting;
// over values of every size, halves and their neighbours, both must give the same text, and
// the number must be the one that text stands for.
TEST(LogDeviation, MadeInPlaceItIsTheTextQtsFormattingGives)
{
    std::vector<double> values;
    for (int eighths = -20000; eighths <= 20000; ++eighths) {
        const double half = eighths / 8.0;
        values.insert(values.end(), {half, std::nextafter(half, 1e9), std::nextafter(half, -1e9), half / 100});
    }
    quint64 state = 0x9E3779B97F4A7C15ULL;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (int i = 0; i < 300000; ++i) {
        const quint64 random = next();
        const double mantissa = double(random % 2000001) / 1000.0 - 1000.0; // -1000 .. 1000
        values.push_back(mantissa * std::pow(10.0, int(random >> 60) - 8)); // 1e-8 .. 1e7 times
    }
    // Any double at all, beyond what a meter reports.
    for (int i = 0; i < 30000; ++i) {
        const quint64 bits = next();
        double anyDouble = 0;
        std::memcpy(&anyDouble, &bits, sizeof anyDouble);
        if (std::isfinite(anyDouble))
            values.push_back(anyDouble);
    }
    // Halves of the last shown digit at every size, where fixed turns to exponent notation,
    // and their neighbours.
    for (int power = -4; power <= 308; ++power) {
        for (const long double shown : {0.5L, 1.5L, 2.5L, 9.5L, 99.95L, 999.95L, 9999.5L, 12345.0L, 12355.0L}) {
            const double half = double(shown * std::pow(10.0L, power));
            for (const double value : {half, std::nextafter(half, 0.0), std::nextafter(half, HUGE_VAL)})
                if (std::isfinite(value))
                    values.insert(values.end(), {value, -value});
        }
    }
    int differences = 0;
    for (double value : values) {
        const QString expected = shownByQtFormatting(value);
        if (FormatDeviation(value, u'.') != expected && ++differences <= 5)
            ADD_FAILURE() << std::setprecision(17) << value << ": " << FormatDeviation(value, u'.').toStdString()
                          << " instead of " << expected.toStdString();
        if (DeviationAsShown(value) != ParseDecimal(expected) && ++differences <= 5)
            ADD_FAILURE() << std::setprecision(17) << value << " as a number";
    }
    EXPECT_EQ(differences, 0);
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

// The export takes the fields without building the shown time where it can; whatever the
// time, its time zone kind or its century, the fields are those of the built time, and there is none
// where that is invalid.
TEST(LogTimestamp, FieldsAsShownAreThoseOfTheShownTime)
{
    const QDateTime cases[] = {
        QDateTime(QDate(2024, 3, 5), QTime(14, 2, 9, 750)),
        QDateTime(QDate(2099, 12, 31), QTime(23, 59, 59, 999)),
        QDateTime(QDate(2000, 1, 1), QTime(0, 0)),
        QDateTime(QDate(1999, 12, 31), QTime(8, 0, 1, 1)),
        QDateTime(QDate(2100, 2, 28), QTime(12, 0)),
        QDateTime(QDate(1896, 2, 29), QTime(1, 2, 3)), // 2096 has a 29 February too
        QDateTime(QDate(-1, 2, 29), QTime(1, 2, 3)),   // 1999 has none
        QDateTime(QDate(2024, 3, 5), QTime(14, 2, 9, 750), Qt::UTC),
        QDateTime(QDate(2024, 3, 5), QTime(14, 2, 9), Qt::OffsetFromUTC, 3600),
        QDateTime(QDate(2024, 3, 5), QTime()),
        QDateTime(),
    };
    for (const QDateTime& when : cases) {
        const QDateTime shown = LogTimestampAsShown(when);
        const std::optional<ShownDateTime> fields = LogTimestampFieldsAsShown(when);
        ASSERT_EQ(fields.has_value(), shown.isValid()) << when.toString().toStdString();
        if (fields) {
            EXPECT_EQ(fields->date, shown.date()) << when.toString().toStdString();
            EXPECT_EQ(fields->time, shown.time()) << when.toString().toStdString();
        }
    }
}
