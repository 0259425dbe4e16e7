#include "meter/meter_float.h"
#include <cmath>
#include <gtest/gtest.h>

namespace meter {
namespace {

struct FloatCase {
    std::array<quint8, 4> bytes;
    double expected;
};

class DecodeMeterFloatTest : public ::testing::TestWithParam<FloatCase> {};

TEST_P(DecodeMeterFloatTest, FollowsTheFormulaForEveryExponent)
{
    TMeterFrame frame;
    std::copy(GetParam().bytes.begin(), GetParam().bytes.end(), frame.bytes.begin() + 4);
    EXPECT_EQ(DecodeMeterFloat(frame, 4), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, DecodeMeterFloatTest,
    ::testing::Values(FloatCase{{0x00, 0x00, 0x80, 0x3F}, 1.0}, FloatCase{{0x00, 0x00, 0x80, 0xBF}, -1.0},
                      FloatCase{{0x00, 0x00, 0xC8, 0x42}, 100.0},
                      // an all-zero field is the smallest magnitude, never zero
                      FloatCase{{0x00, 0x00, 0x00, 0x00}, std::ldexp(1.0, -127)},
                      FloatCase{{0x00, 0x00, 0x00, 0x80}, -std::ldexp(1.0, -127)},
                      // exponent 255 is a number, neither infinity nor NaN
                      FloatCase{{0x00, 0x00, 0x80, 0x7F}, std::ldexp(1.0, 128)},
                      FloatCase{{0xFF, 0xFF, 0xFF, 0x7F}, std::ldexp(2.0 - std::ldexp(1.0, -23), 128)},
                      // fraction bits spread over all three low bytes
                      FloatCase{{0x01, 0x00, 0x00, 0x3F}, 0.5 * (1 + std::ldexp(1.0, -23))}));

TEST(DecodeMeterFloat, ReadsTheFieldAtItsOffset)
{
    TMeterFrame frame;
    frame.bytes = {0, 0, 0x80, 0x3F, 0, 0, 0, 0x40, 0, 0, 0x40, 0xC0};
    EXPECT_EQ(DecodeMeterFloat(frame, 0), 1.0);
    EXPECT_EQ(DecodeMeterFloat(frame, 4), 2.0);
    EXPECT_EQ(DecodeMeterFloat(frame, 8), -3.0);
}

} // namespace
} // namespace meter
