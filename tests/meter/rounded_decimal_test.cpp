#include "meter/rounded_decimal.h"

#include <QString>

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <iomanip>
#include <limits>
#include <vector>

namespace meter {
namespace {

constexpr double Largest = std::numeric_limits<double>::max();
constexpr double SmallestSubnormal = std::numeric_limits<double>::denorm_min();

TEST(RoundToSignificantDigits, RoundsHalvesAwayFromZeroOnTheExactValue)
{
    const struct {
        double value;
        int digits;
        int decimals;
        RoundedDecimal rounded;
        double number;
    } cases[] = {
        {0.125, 4, 2, {false, 13, -2}, 0.13},
        {-0.125, 4, 2, {true, 13, -2}, -0.13},
        {2.675, 4, 2, {false, 267, -2}, 2.67}, // a little below 2.675 as a double
        {1.005, 4, 2, {false, 100, -2}, 1},
        {12345, 4, 2, {false, 1235, 1}, 12350}, // a half goes up, not to the even digit
        {12355, 4, 2, {false, 1236, 1}, 12360},
        {999.96, 4, 2, {false, 1000, 0}, 1000}, // up to the next power, still four digits
        {9999.7, 4, 2, {false, 1000, 1}, 10000},
        {-0.001, 4, 2, {true, 0, -2}, -0.0},
        {0, 4, 2, {}, 0},
        {-0.0, 4, 2, {}, 0},
        {999.996, 5, std::numeric_limits<int>::max(), {false, 10000, -1}, 1000},
        {4.7e-8, 5, std::numeric_limits<int>::max(), {false, 47000, -12}, 4.7e-8},
        // beyond the powers of ten a double holds
        {1e23, 5, 2, {false, 10000, 19}, 1e23}, // a little below 10^23 as a double
        {1.23456789e300, 4, 2, {false, 1235, 297}, 1.235e300},
        {1e-320, 3, std::numeric_limits<int>::max(), {false, 100, -322}, 1e-320},
        {SmallestSubnormal, 1, std::numeric_limits<int>::max(), {false, 5, -324}, SmallestSubnormal},
        {-Largest, 4, 2, {true, 1798, 305}, -HUGE_VAL}, // no double is that large
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::setprecision(17) << c.value << " to " << c.digits << " digits");
        const RoundedDecimal rounded = RoundToSignificantDigits(c.value, c.digits, c.decimals);
        EXPECT_EQ(rounded.negative, c.rounded.negative);
        EXPECT_EQ(rounded.units, c.rounded.units);
        EXPECT_EQ(rounded.exponent, c.rounded.exponent);
        EXPECT_EQ(rounded.nearestDouble(), c.number);
        EXPECT_EQ(std::signbit(rounded.nearestDouble()), std::signbit(c.number));
    }
}

TEST(LeadingDigitPower, IsDecidedOnTheExactValue)
{
    const struct {
        double value;
        int power;
    } cases[] = {
        {1, 0},
        {0.99999999999999989, -1},
        {9.9999999999999982, 0},
        {10, 1},
        {-10, 1},
        {0.1, -1},
        {0.099999999999999992, -2},
        {1e23, 22},
        {1e22, 22},
        {Largest, 308},
        {1e308, 308},
        {SmallestSubnormal, -324},
        {1e-320, -321},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LeadingDigitPower(c.value), c.power) << std::setprecision(17) << c.value;
}

// Qt's formatting rounds every double exactly, halves away from zero, and a decimal reader
// takes a text to its nearest double: the rounding must give the digits of the one and the
// number of the other, over doubles of every size, halves and their neighbours.
TEST(RoundToSignificantDigits, GivesTheDigitsAndTheNumberOfQtsFormatting)
{
    struct Sample {
        double value;
        int digits;
    };
    std::vector<Sample> samples;
    quint64 state = 0x2545F4914F6CDD1DULL;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (int i = 0; i < 150000; ++i) {
        // Any double at all, one in five: most are far beyond the powers of ten a double
        // holds, where whole-number comparisons take far longer.
        const quint64 bits = next();
        double anyDouble = 0;
        std::memcpy(&anyDouble, &bits, sizeof anyDouble);
        if (i % 5 == 0 && std::isfinite(anyDouble) && anyDouble != 0)
            samples.push_back({anyDouble, int(next() % 15) + 1});
        const double decimal = double(next() % 2000001) / 1000 * std::pow(10.0, int(next() % 40) - 20);
        if (decimal != 0)
            samples.push_back({decimal, int(next() % 15) + 1});
    }
    for (int power = -330; power <= 308; ++power) {
        for (const long double units : {1.0L, 1.5L, 2.5L, 9.5L, 12.345L, 99.995L, 9999.5L}) {
            const double near = double(units * std::pow(10.0L, power));
            for (const double value : {near, std::nextafter(near, 0.0), std::nextafter(near, HUGE_VAL), -near})
                if (std::isfinite(value) && value != 0)
                    for (int digits = 1; digits <= 6; ++digits)
                        samples.push_back({value, digits});
        }
    }

    int differences = 0;
    for (const Sample& sample : samples) {
        const RoundedDecimal rounded = RoundToSignificantDigits(sample.value, sample.digits);
        const QString formatted = QString::number(sample.value, 'e', sample.digits - 1);
        QString digits = formatted.section(u'e', 0, 0);
        digits.remove(u'-').remove(u'.');
        const int exponent = formatted.section(u'e', 1).toInt() - (sample.digits - 1);
        const QByteArray text = formatted.toLatin1();
        double number = 0;
        const std::from_chars_result read = std::from_chars(text.data(), text.data() + text.size(), number);
        if (read.ec == std::errc::result_out_of_range)
            number = std::copysign(HUGE_VAL, sample.value);

        const bool same = rounded.negative == (sample.value < 0) && QString::number(rounded.units) == digits
            && rounded.exponent == exponent && rounded.nearestDouble() == number;
        if (!same && ++differences <= 5)
            ADD_FAILURE() << std::setprecision(17) << sample.value << " to " << sample.digits
                          << " digits: " << (rounded.negative ? "-" : "") << rounded.units << "e" << rounded.exponent
                          << " = " << rounded.nearestDouble() << " instead of " << formatted.toStdString();
    }
    EXPECT_EQ(differences, 0) << "of " << samples.size();
}

} // namespace
} // namespace meter
