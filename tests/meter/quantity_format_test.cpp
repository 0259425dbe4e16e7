#include "meter/quantity_format.h"
#include "unit_texts_fixture.h"

namespace meter {
namespace {

struct ScaledCase {
    double value;
    bool inductance;
    qint32 testFreqHz;
    const char* expected; // with the English unit texts
};

void PrintTo(const ScaledCase& c, std::ostream* os)
{
    *os << c.value << (c.inductance ? " L" : "") << " at " << c.testFreqHz << " Hz";
}

class FormatScaledTest : public testing::LocaleTest, public ::testing::WithParamInterface<ScaledCase> {};

TEST_P(FormatScaledTest, PicksPrefixAndDecimalsByMagnitude)
{
    const ScaledCase& c = GetParam();
    EXPECT_EQ(FormatScaled(c.value, c.inductance, c.testFreqHz, english), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    FromMilliUp, FormatScaledTest,
    ::testing::Values(ScaledCase{12345678, false, 10000, "12.346 M"}, ScaledCase{1e7, false, 10000, "10.000 M"},
                      ScaledCase{1e6, false, 10000, "1.0000 M"}, ScaledCase{123456, false, 10000, "123.46 k"},
                      ScaledCase{1e4, false, 10000, "10.000 k"}, ScaledCase{1000, true, 10000, "1.0000 k"},
                      ScaledCase{999.996, false, 10000, "1,000.00 "}, ScaledCase{100, false, 10000, "100.00 "},
                      ScaledCase{10, false, 10000, "10.000 "}, ScaledCase{1, false, 10000, "1.0000 "},
                      ScaledCase{0.1, false, 10000, "100.00 m"}, ScaledCase{0.01, false, 10000, "10.000 m"},
                      ScaledCase{0.001, true, 100, "1.0000 m"}));

INSTANTIATE_TEST_SUITE_P(SmallInductance, FormatScaledTest,
                         ::testing::Values(ScaledCase{0.00047, true, 100, "470.00 \u03BC"},
                                           ScaledCase{0.00047, true, 10000, "470.00 \u03BC"},
                                           ScaledCase{0.0000047, true, 100, "4.70 \u03BC"},
                                           ScaledCase{0.0000047, true, 1000, "4.700 \u03BC"},
                                           ScaledCase{0.0000047, true, 10000, "4.7000 \u03BC"},
                                           ScaledCase{0.000047, true, 10000, "47.000 \u03BC"},
                                           // inductance never leaves micro
                                           ScaledCase{1e-9, true, 10000, "0.0010 \u03BC"}));

INSTANTIATE_TEST_SUITE_P(
    SmallOtherwise, FormatScaledTest,
    ::testing::Values(ScaledCase{1e-4, false, 100, "100.00 \u03BC"}, ScaledCase{1e-5, false, 100, "10.000 \u03BC"},
                      ScaledCase{1e-6, false, 100, "1.0000 \u03BC"}, ScaledCase{4.7e-7, false, 100, "470.00 n"},
                      ScaledCase{4.7e-8, false, 100, "47.000 n"}, ScaledCase{4.7e-9, false, 100, "4.7000 n"},
                      ScaledCase{4.7e-10, false, 10000, "470.00 p"}, ScaledCase{4.7e-11, false, 100, "47.00 p"},
                      ScaledCase{4.7e-11, false, 10000, "47.000 p"}, ScaledCase{4.7e-12, false, 100, "4.70 p"},
                      ScaledCase{4.7e-12, false, 1000, "4.700 p"}, ScaledCase{4.7e-12, false, 10000, "4.7000 p"}));

class QuantityFormatTest : public testing::LocaleTest {};

TEST_F(QuantityFormatTest, ResistanceRangesAndOverload)
{
    EXPECT_EQ(FormatResistance(20000001, english), QStringLiteral(">20.00 M\u03A9"));
    EXPECT_EQ(FormatResistance(2e7, english), QStringLiteral("20.000 M\u03A9"));
    EXPECT_EQ(FormatResistance(0.5, english), QStringLiteral("0.5000 \u03A9"));
    EXPECT_EQ(FormatResistance(1, english), QStringLiteral("1.000 \u03A9"));
    EXPECT_EQ(FormatResistance(10, english), QStringLiteral("10.000 \u03A9"));
    EXPECT_EQ(FormatResistance(4700, russian), QStringLiteral("4.7000 кОм"));
}

TEST_F(QuantityFormatTest, InductanceOverloadStartsAboveFiveHundred)
{
    EXPECT_EQ(FormatInductance(500.0001, 1000, english), QStringLiteral(">500 H"));
    EXPECT_EQ(FormatInductance(500, 1000, english), QStringLiteral("500.00 H"));
    EXPECT_EQ(FormatInductance(0.0000047, 1000, russian), QStringLiteral("4.700 мкГн"));
}

TEST_F(QuantityFormatTest, CapacitanceFromMilliFaradIsWholeMicroFarads)
{
    EXPECT_EQ(FormatCapacitance(0.01, 1000, english), QStringLiteral(">22.00 mF"));
    EXPECT_EQ(FormatCapacitance(0.0099999, 1000, english), QStringLiteral("10,000 \u03BCF"));
    EXPECT_EQ(FormatCapacitance(0.0047, 1000, english), QStringLiteral("4,700 \u03BCF"));
    EXPECT_EQ(FormatCapacitance(0.00099, 1000, english), QStringLiteral("990.00 \u03BCF"));
    EXPECT_EQ(FormatCapacitance(4.7e-10, 1000, russian), QStringLiteral("470.00 пФ"));
}

TEST_F(QuantityFormatTest, OverloadsAndGroupsFollowACommaDecimalLocale)
{
    UseCommaDecimalLocale();
    EXPECT_EQ(FormatResistance(3e7, english), QStringLiteral(">20,00 M\u03A9"));
    EXPECT_EQ(FormatCapacitance(0.5, 1000, english), QStringLiteral(">22,00 mF"));
    EXPECT_EQ(FormatCapacitance(0.0047, 1000, english), QStringLiteral("4.700 \u03BCF"));
    EXPECT_EQ(FormatScaled(999.996, false, 1000, english), QStringLiteral("1.000,00 "));
    EXPECT_EQ(FormatAngle(-12.3456), QStringLiteral("-12,3500\u00B0"));
}

TEST_F(QuantityFormatTest, RatioKeepsFiveDigitsWithoutGrouping)
{
    const std::vector<std::pair<double, QString>> cases = {
        {0.0, "0.0000"},      {0.012345, "0.0123"}, {12.345, "12.345"},   {1234.56, "1234.6"},
        {9999.99, "10000.0"}, {12345.6, "12346.0"}, {123456, "1.2346E5"}, {1234567, "1.2346E6"},
    };
    for (const auto& [ratio, expected] : cases)
        EXPECT_EQ(FormatRatio(ratio), expected) << ratio;
}

TEST_F(QuantityFormatTest, AngleHasFourSignificantDigitsAndDegreeSign)
{
    EXPECT_EQ(FormatAngle(-12.3456), QStringLiteral("-12.3500\u00B0"));
    EXPECT_EQ(FormatAngle(5.6789), QStringLiteral("5.6790\u00B0"));
    EXPECT_EQ(FormatAngle(-45), QStringLiteral("-45.0000\u00B0"));
}

TEST_F(QuantityFormatTest, FrequencyInWholeKilohertzFromOneThousand)
{
    EXPECT_EQ(FormatFrequency(75000, russian), QStringLiteral("75 кГц"));
    EXPECT_EQ(FormatFrequency(120, russian), QStringLiteral("120 Гц"));
    EXPECT_EQ(FormatFrequency(1000, english), QStringLiteral("1 kHz"));
    EXPECT_EQ(FormatFrequency(999, english), QStringLiteral("999 Hz"));
}

} // namespace
} // namespace meter
