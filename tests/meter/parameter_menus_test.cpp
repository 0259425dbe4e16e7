#include "meter/parameter_menus.h"
#include "unit_texts_fixture.h"

namespace meter {
namespace {

class ParameterMenusTest : public testing::LocaleTest {
protected:
    ParameterMenusTest() { ResetSettings(settings); }
    TMeterSettings settings;
};

TEST_F(ParameterMenusTest, FrequencyRowsSetIndexAndProvisionalText)
{
    const std::vector<std::tuple<int, quint8, QString>> cases = {
        {0, 1, QStringLiteral("A10 kHz")},  {1, 0, QStringLiteral("100 Hz")},  {2, 0, QStringLiteral("120 Hz")},
        {3, 0, QStringLiteral("1 kHz")},    {5, 0, QStringLiteral("100 kHz")}, {11, 0, QStringLiteral("75 kHz")},
        {14, 0, QStringLiteral("150 kHz")},
    };
    for (const auto& [row, freqAuto, text] : cases) {
        const auto choice = ChooseFrequency(settings, row, english);
        ASSERT_TRUE(choice.has_value()) << row;
        EXPECT_EQ(choice->frequency, text);
        EXPECT_EQ(settings.FreqIndex, row);
        EXPECT_EQ(settings.FreqAuto, freqAuto) << row;
    }
    EXPECT_EQ(ChooseFrequency(settings, 11, russian)->frequency, QStringLiteral("75 кГц"));
}

TEST_F(ParameterMenusTest, LevelRowZeroIsAutomaticAtOneVolt)
{
    const std::vector<std::tuple<int, quint8, quint8, QString>> cases = {
        {0, 1, 1, QStringLiteral("A1.0Vrms")},
        {1, 0, 1, QStringLiteral("1.0Vrms")},
        {2, 0, 2, QStringLiteral("0.5Vrms")},
        {3, 0, 3, QStringLiteral("0.1Vrms")},
    };
    for (const auto& [row, levelAuto, levelIndex, text] : cases) {
        EXPECT_EQ(ChooseLevel(settings, row, english)->level, text);
        EXPECT_EQ(settings.LevelAuto, levelAuto) << row;
        EXPECT_EQ(settings.LevelIndex, levelIndex) << row;
    }
}

TEST_F(ParameterMenusTest, PrimaryAutomaticShowsCUntilTheMeterNamesItsChoice)
{
    auto choice = ChoosePrimary(settings, 0);
    EXPECT_EQ(choice->primaryLetter, "C");
    EXPECT_EQ(choice->primaryAutoMark, "A");
    EXPECT_EQ(settings.PrimAuto, 1);
    EXPECT_EQ(settings.PrimKind, 0);

    const std::vector<std::pair<int, QString>> manual = {{1, "R"}, {2, "C"}, {3, "L"}, {4, "Z"}};
    for (const auto& [row, letter] : manual) {
        choice = ChoosePrimary(settings, row);
        EXPECT_EQ(choice->primaryLetter, letter);
        EXPECT_EQ(choice->primaryAutoMark, " ");
        EXPECT_EQ(settings.PrimAuto, 0);
        EXPECT_EQ(settings.PrimKind, row);
    }
}

TEST_F(ParameterMenusTest, SecondaryChoices)
{
    auto choice = ChooseSecondary(settings, 0);
    EXPECT_FALSE(choice->secondaryLetter.has_value());
    EXPECT_EQ(choice->secondaryAutoMark, "A");
    EXPECT_FALSE(choice->secondaryCircuitMark.has_value());
    EXPECT_EQ(settings.SecAuto, 1);
    EXPECT_EQ(settings.SecKind, 0);

    choice = ChooseSecondary(settings, 1);
    EXPECT_EQ(choice->secondaryLetter, "R");
    EXPECT_EQ(choice->secondaryAutoMark, QString());
    EXPECT_FALSE(choice->secondaryCircuitMark.has_value());
    EXPECT_EQ(settings.SecAuto, 0);

    for (const auto& [row, letter] : std::vector<std::pair<int, QString>>{{2, "Q"}, {3, "D"}}) {
        choice = ChooseSecondary(settings, row);
        EXPECT_EQ(choice->secondaryLetter, letter);
        EXPECT_EQ(choice->secondaryCircuitMark, " ");
        EXPECT_EQ(settings.SecKind, row);
    }
}

TEST_F(ParameterMenusTest, CircuitChoices)
{
    settings.SerPer = 0;
    EXPECT_EQ(ChooseCircuit(settings, 0)->letter, "A");
    EXPECT_EQ(settings.SerPerAuto, 1);
    EXPECT_EQ(settings.SerPer, 1);

    EXPECT_EQ(ChooseCircuit(settings, 1)->letter, "P");
    EXPECT_EQ(settings.SerPerAuto, 0);
    EXPECT_EQ(settings.SerPer, 0);

    EXPECT_EQ(ChooseCircuit(settings, 2)->letter, "S");
    EXPECT_EQ(settings.SerPerAuto, 0);
    EXPECT_EQ(settings.SerPer, 1);
}

TEST_F(ParameterMenusTest, RowsOutsideAMenuChangeNothing)
{
    const TMeterSettings before = settings;
    EXPECT_FALSE(ChooseFrequency(settings, -1, english).has_value());
    EXPECT_FALSE(ChooseFrequency(settings, 15, english).has_value());
    EXPECT_FALSE(ChooseLevel(settings, 4, english).has_value());
    EXPECT_FALSE(ChoosePrimary(settings, -1).has_value());
    EXPECT_FALSE(ChooseSecondary(settings, 4).has_value());
    EXPECT_FALSE(ChooseCircuit(settings, 3).has_value());
    EXPECT_EQ(settings, before);
}

} // namespace
} // namespace meter
