#include "frame_builder.h"
#include "meter/rd_decoder.h"
#include "unit_texts_fixture.h"

namespace meter {
namespace {

class DecodeRdTest : public testing::LocaleTest {
protected:
    RdReading Decode(quint8 layout, float main, float firstCurrent = 150, float secondCurrent = 0)
    {
        TMeterFrame frame = testing::FrameWithFloats(0x02, main, firstCurrent, secondCurrent);
        frame.bytes[14] = layout;
        return DecodeRd(frame, english);
    }
};

TEST_F(DecodeRdTest, ResistorInAutomaticRange)
{
    const RdReading rd = Decode(0x02, -4700); // the sign is dropped
    EXPECT_EQ(rd.autoRangeMark, "A");
    EXPECT_EQ(rd.testVoltage, "A 1.3 V");
    EXPECT_EQ(rd.quantityLetter, "R");
    EXPECT_EQ(rd.mainReading, QStringLiteral("4.7000 k\u03A9"));
    EXPECT_EQ(rd.picture, 2);
    EXPECT_EQ(rd.currentLetter, "I");
    EXPECT_EQ(rd.currentSubscript, "auto");
    EXPECT_EQ(rd.currentValue, "=0.150 mA");
    EXPECT_EQ(rd.secondCurrent, " ");
}

TEST_F(DecodeRdTest, DiodeRangeHidesASmallFirstCurrent)
{
    const RdReading rd = Decode(0x21, 650, 120);
    EXPECT_EQ(rd.autoRangeMark, " ");
    EXPECT_EQ(rd.testVoltage, " 3.2 V");
    EXPECT_EQ(rd.quantityLetter, "D");
    EXPECT_EQ(rd.mainReading, "  V=0.650 V");
    EXPECT_EQ(rd.picture, 1);
    EXPECT_EQ(rd.currentLetter, " ");
    EXPECT_EQ(rd.currentSubscript, " ");
    EXPECT_EQ(rd.currentValue, " ");
}

TEST_F(DecodeRdTest, DiodeRangeShowsAFirstCurrentFromTwoHundredMicroamps)
{
    const RdReading rd = Decode(0x20, 650, 200);
    EXPECT_EQ(rd.currentSubscript, "fix");
    EXPECT_EQ(rd.currentValue, "=0.200 mA");
    EXPECT_EQ(rd.picture, 0);
}

TEST_F(DecodeRdTest, DiodeOutsideTheDiodeRangeIsMarkedAutomatic)
{
    EXPECT_EQ(Decode(0x00, 650).testVoltage, "A 3.2 V");
}

TEST_F(DecodeRdTest, JunctionFoundInDiodeRangeShowsTheOrientation)
{
    RdReading rd = Decode(0x22, 650);
    EXPECT_EQ(rd.mainReading, "PN");
    EXPECT_EQ(rd.quantityLetter, "D");
    EXPECT_EQ(rd.testVoltage, " 3.2 V");
    EXPECT_EQ(rd.picture, 0);
    EXPECT_EQ(Decode(0x23, 650).picture, 1);
}

TEST_F(DecodeRdTest, ResistanceRangeVoltages)
{
    const std::vector<std::pair<quint8, std::optional<QString>>> cases = {
        {0x42, QStringLiteral(" 1.3 V")},
        {0x62, QStringLiteral(" 0.1 V")},
        {0x82, std::nullopt}, // range codes 4 to 7 leave the label alone
        {0xE5, std::nullopt},
    };
    for (const auto& [layout, expected] : cases) {
        const RdReading rd = Decode(layout, 12);
        EXPECT_EQ(rd.testVoltage, expected) << int(layout);
        EXPECT_EQ(rd.picture, 2) << int(layout);
        EXPECT_EQ(rd.currentSubscript, "fix") << int(layout);
    }
}

TEST_F(DecodeRdTest, SecondCurrentOnlyWithItsFlag)
{
    EXPECT_EQ(Decode(0x12, 100, 150, -5.5f).secondCurrent, QStringLiteral("Ifix=5.500 \u03BCA"));
    EXPECT_EQ(Decode(0x02, 100, 150, 5.5f).secondCurrent, " ");
}

TEST_F(DecodeRdTest, CurrentSwitchesToMilliampsAtTenMicroamps)
{
    EXPECT_EQ(FormatCurrent(9.9996, english), QStringLiteral("10.000 \u03BCA"));
    EXPECT_EQ(FormatCurrent(10, english), "0.010 mA");
    EXPECT_EQ(FormatCurrent(5.5, russian), QStringLiteral("5.500 мкA"));
}

} // namespace
} // namespace meter
