#include "meter/settings_indicators.h"
#include "unit_texts_fixture.h"

namespace meter {
namespace {

class ShowSettingsTest : public testing::LocaleTest {
protected:
    TMeterSettings settings = [] {
        TMeterSettings s;
        ResetSettings(s);
        return s;
    }();
};

TEST_F(ShowSettingsTest, DefaultsShowAutomaticMarksAndTenKilohertz)
{
    const SettingsIndicators shown = ShowSettings(settings, kDefaultTestFreqHz, russian);
    EXPECT_EQ(shown.primaryAutoMark, "A");
    EXPECT_EQ(shown.secondaryAutoMark, "A");
    EXPECT_EQ(shown.frequency, QStringLiteral("A 10 кГц"));
    EXPECT_EQ(shown.level, QStringLiteral(" 1.0 Вскз"));
    EXPECT_EQ(shown.primaryLetter, "C");
    EXPECT_EQ(shown.secondaryLetter, "R");
    EXPECT_EQ(shown.intervalItem, 1);
    EXPECT_FALSE(shown.holdDown);
    EXPECT_TRUE(shown.soundDown);
}

TEST_F(ShowSettingsTest, ManualValuesHaveBlankMarks)
{
    settings = TMeterSettings::fromBytes({0, 11, 0, 4, 0, 4, 1, 4, 0, 1, 3, 1, 0, 0, 0});
    const SettingsIndicators shown = ShowSettings(settings, 75000, english);
    EXPECT_EQ(shown.primaryAutoMark, " ");
    EXPECT_EQ(shown.secondaryAutoMark, " ");
    EXPECT_EQ(shown.frequency, " 75 kHz");
    EXPECT_EQ(shown.level, "A 0.1 V"); // level 4 is plain volts
    EXPECT_EQ(shown.primaryLetter, "Z");
    EXPECT_EQ(shown.secondaryLetter, QStringLiteral("\u019F"));
    EXPECT_EQ(shown.intervalItem, 0);
    EXPECT_TRUE(shown.holdDown);
    EXPECT_FALSE(shown.soundDown);
}

TEST_F(ShowSettingsTest, ValuesWithoutMeaningLeaveTheirControls)
{
    settings.PrimKind = 0;
    settings.SecKind = 5;
    settings.IntervalCode = 0;
    settings.LevelIndex = 6;
    settings.LevelAuto = 0;
    const SettingsIndicators shown = ShowSettings(settings, kDefaultTestFreqHz, english);
    EXPECT_FALSE(shown.primaryLetter.has_value());
    EXPECT_FALSE(shown.secondaryLetter.has_value());
    EXPECT_FALSE(shown.intervalItem.has_value());
    EXPECT_EQ(shown.level, " ");
}

TEST_F(ShowSettingsTest, LevelZeroHasNoAutomaticMarkOfItsOwn)
{
    settings.LevelIndex = 0;
    EXPECT_EQ(ShowSettings(settings, kDefaultTestFreqHz, english).level, " 1.0 Vrms");
}

TEST_F(ShowSettingsTest, FrequencyLabelIsEmptyWithoutATestFrequency)
{
    for (quint8 index : {quint8(0), quint8(15), quint8(31)}) {
        settings.FreqIndex = index;
        EXPECT_EQ(ShowSettings(settings, FreqIndexToHz(index), english).frequency, QString()) << int(index);
    }
}

TEST(ShowCircuit, AutomaticThenSeriesThenParallel)
{
    TMeterSettings settings;
    settings.SerPerAuto = 1;
    settings.SerPer = 1;
    EXPECT_EQ(ShowCircuit(settings)->letter, "A");
    EXPECT_EQ(ShowCircuit(settings)->circuitRow, 0);

    settings.SerPerAuto = 0;
    EXPECT_EQ(ShowCircuit(settings)->letter, "S");
    EXPECT_EQ(ShowCircuit(settings)->circuitRow, 2);

    settings.SerPer = 0;
    EXPECT_EQ(ShowCircuit(settings)->letter, "P");
    EXPECT_EQ(ShowCircuit(settings)->circuitRow, 1);

    settings.SerPer = 2; // only a profile file could hold this
    EXPECT_FALSE(ShowCircuit(settings).has_value());
}

} // namespace
} // namespace meter
