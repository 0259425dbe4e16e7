// A reading as numbers, from the very frame the meter sends: the values the display shows,
// in SI units, and overloads as overloads rather than the numbers behind them.
#include "meter/rlcd_decoder.h"
#include "recording/reading_values.h"
#include "tests/meter/frame_builder.h"
#include "tests/meter/unit_texts_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>

namespace {

using meter::PrimaryParameter;
using meter::SecondaryParameter;

constexpr quint8 kRlcdMode = 0x01;
constexpr quint8 k1kHz = 3;
constexpr double kTwoPi = 2 * std::numbers::pi;

struct ValuesCase {
    const char* name;
    quint8 primaryKind, secondaryKind;
    bool series;
    bool negative; // the meter's mark before an L or C that contradicts its reactance
    float rs, xs;  // as the frame carries them
    std::optional<double> primary;
    bool primaryOverload;
    std::optional<double> secondary;
    bool secondaryOverload;
};

// Expected values worked out from the frame's own two numbers at 1 kHz.
double series(float x)
{
    return double(x);
}
double parallel(float r, float x)
{
    return (double(r) * r + double(x) * x) / std::abs(double(x));
}

class ReadingValuesTest : public meter::testing::LocaleTest, public testing::WithParamInterface<ValuesCase> {};

TEST_P(ReadingValuesTest, AreWhatTheDisplayShowsInSiUnits)
{
    const ValuesCase& c = GetParam();
    meter::TMeterSettings sent;
    sent.PrimKind = c.primaryKind;
    sent.SecKind = c.secondaryKind;
    sent.SerPer = c.series ? 1 : 0;
    sent.Negative = c.negative ? 1 : 0;
    sent.FreqIndex = k1kHz;
    sent.LevelIndex = 2;
    meter::TMeterFrame frame = meter::testing::FrameWithFloats(kRlcdMode, c.rs, c.xs, 0);
    meter::testing::PutSettings(frame, sent);
    meter::TMeterSettings settings;
    const meter::RlcdReading reading = meter::DecodeRlcd(frame, settings, english);

    const recording::ReadingValues values = recording::ValuesOfReading(settings, reading);
    EXPECT_EQ(values.primaryKind, PrimaryParameter(c.primaryKind));
    EXPECT_EQ(values.secondaryKind, SecondaryParameter(c.secondaryKind));
    ASSERT_EQ(values.primary.has_value(), c.primary.has_value() || c.primaryOverload);
    if (values.primary) {
        EXPECT_EQ(values.primary->overload, c.primaryOverload);
        if (c.primary) {
            EXPECT_NEAR(values.primary->value, *c.primary, std::abs(*c.primary) * 1e-12);
        }
    }
    ASSERT_EQ(values.secondary.has_value(), c.secondary.has_value() || c.secondaryOverload);
    if (values.secondary) {
        EXPECT_EQ(values.secondary->overload, c.secondaryOverload);
        if (c.secondary) {
            EXPECT_NEAR(values.secondary->value, *c.secondary, std::abs(*c.secondary) * 1e-12);
        }
    }
    EXPECT_EQ(values.series, c.series);
    EXPECT_EQ(values.frequencyHz, 1000);
    EXPECT_EQ(values.levelV, 0.5);
}

const float kR = 4693.7f;
INSTANTIATE_TEST_SUITE_P(
    Frames, ReadingValuesTest,
    testing::Values(
        ValuesCase{"SeriesCapacitanceWithD", 2, 3, true, false, 100, -100, 1 / (kTwoPi * 1000 * 100), false, 1.0,
                   false},
        ValuesCase{"ParallelCapacitanceWithQ", 2, 2, false, false, 100, -100, 1 / (kTwoPi * 1000 * parallel(100, -100)),
                   false, 1.0, false},
        ValuesCase{"InductanceShownNegative", 3, 0, true, true, 100, 100, -100 / (kTwoPi * 1000), false, std::nullopt,
                   false},
        ValuesCase{"ResistanceWithPhaseAngle", 1, 4, true, false, kR, 10, series(kR), false,
                   std::atan(10.0 / double(kR)) * 180 / std::numbers::pi, false},
        ValuesCase{"ImpedanceWithParallelResistance", 4, 1, false, false, 300, 400, 500, false, parallel(400, 300),
                   false},
        ValuesCase{"ResistanceOverload", 1, 1, true, false, 3e7f, 10, std::nullopt, true, std::nullopt, true},
        ValuesCase{"CapacitanceOverload", 2, 3, true, false, 0.001f, -0.001f, std::nullopt, true, 1.0, false},
        ValuesCase{"InductanceOverload", 3, 2, true, false, 1, 1e7f, std::nullopt, true, 1e7, false},
        ValuesCase{"NoPrimaryNamedYet", 0, 0, true, false, 100, 100, std::nullopt, false, std::nullopt, false}),
    [](const testing::TestParamInfo<ValuesCase>& test) { return std::string(test.param.name); });

// Without a test frequency in the frame there is none in the numbers, and L and C are
// converted at the frequency the display uses then.
TEST(ReadingValuesWithoutFrequency, HaveNoFrequencyAndConvertAsTheDisplayDoes)
{
    meter::TMeterSettings sent;
    sent.PrimKind = 2;
    sent.SerPer = 1;
    sent.FreqIndex = 0;
    meter::TMeterFrame frame = meter::testing::FrameWithFloats(kRlcdMode, 100, -100, 0);
    meter::testing::PutSettings(frame, sent);
    meter::TMeterSettings settings;
    const meter::UnitTexts texts = meter::testing::EnglishTexts();
    const recording::ReadingValues values =
        recording::ValuesOfReading(settings, meter::DecodeRlcd(frame, settings, texts));
    EXPECT_FALSE(values.frequencyHz.has_value());
    ASSERT_TRUE(values.primary.has_value());
    EXPECT_DOUBLE_EQ(values.primary->value, 1 / (kTwoPi * meter::kFallbackTestFreqHz * 100));
}

} // namespace
