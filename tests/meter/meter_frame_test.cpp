#include "frame_builder.h"
#include "meter/meter_frame.h"
#include <gtest/gtest.h>

namespace meter {
namespace {

struct DispatchCase {
    quint8 modeByte;
    MeterMode mode;
    bool brightnessOn;
};

class DispatchFrameTest : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(DispatchFrameTest, TakesModeFromLowNibbleAndBrightnessFromBitSix)
{
    const auto dispatch = DispatchFrame(testing::ValidFrame(GetParam().modeByte));
    ASSERT_TRUE(dispatch.has_value());
    EXPECT_EQ(dispatch->mode, GetParam().mode);
    EXPECT_EQ(dispatch->brightnessOn, GetParam().brightnessOn);
}

INSTANTIATE_TEST_SUITE_P(
    ModeBytes, DispatchFrameTest,
    ::testing::Values(DispatchCase{0x01, MeterMode::Rlcd, false}, DispatchCase{0x41, MeterMode::Rlcd, true},
                      DispatchCase{0x02, MeterMode::Rd, false}, DispatchCase{0x43, MeterMode::U, true},
                      // unknown mode: not decoded, brightness still follows
                      DispatchCase{0x44, MeterMode::None, true}, DispatchCase{0x00, MeterMode::None, false},
                      // unused bits 4, 5 and 7 change nothing
                      DispatchCase{0xB1, MeterMode::Rlcd, false}));

TEST(DispatchFrame, DropsFramesWithAWrongTrailer)
{
    TMeterFrame carriageReturn = testing::ValidFrame(0x41);
    carriageReturn.bytes[17] = 0x0D;
    TMeterFrame wrongFirst = testing::ValidFrame(0x41);
    wrongFirst.bytes[16] = 0x30;

    EXPECT_FALSE(DispatchFrame(carriageReturn).has_value());
    EXPECT_FALSE(DispatchFrame(wrongFirst).has_value());
}

TEST(FrameFromBytes, AcceptsExactlyEighteenBytes)
{
    QByteArray received(18, '\0');
    received[0] = char(0xFF);
    received[17] = 0x0A;

    const auto frame = FrameFromBytes(received);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->bytes[0], 0xFF);
    EXPECT_EQ(frame->bytes[17], 0x0A);
    EXPECT_FALSE(FrameFromBytes(received.left(17)).has_value());
    EXPECT_FALSE(FrameFromBytes(received + 'x').has_value());
}

} // namespace
} // namespace meter
