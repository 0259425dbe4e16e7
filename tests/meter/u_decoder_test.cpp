#include "frame_builder.h"
#include "meter/u_decoder.h"
#include "unit_texts_fixture.h"

namespace meter {
namespace {

class DecodeUTest : public testing::LocaleTest {};

TEST_F(DecodeUTest, MainVoltageKeepsItsSignTheOthersDoNot)
{
    const UReading u = DecodeU(testing::FrameWithFloats(0x03, -2.25f, -230.456f, -1.5f), english);
    EXPECT_EQ(u.mainReading, "V=-1.500 V");
    EXPECT_EQ(u.rmsReading, "Vrms=2.250 V");
    EXPECT_EQ(u.peakToPeakReading, "Vp-p=230.500 V");
}

TEST_F(DecodeUTest, RussianTextsAndCommaLocale)
{
    UseCommaDecimalLocale();
    const UReading u = DecodeU(testing::FrameWithFloats(0x03, 0.01234f, 1234.5f, 12), russian);
    EXPECT_EQ(u.mainReading, QStringLiteral("V=12,000 В"));
    EXPECT_EQ(u.rmsReading, QStringLiteral("Vскз=0,012 В"));
    EXPECT_EQ(u.peakToPeakReading, QStringLiteral("Vп-п=1.235,000 В"));
}

} // namespace
} // namespace meter
