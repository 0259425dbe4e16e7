#include "unit_texts_fixture.h"

namespace meter {
namespace {

TEST(UnitTexts, RussianInterfaceSpellsMicroAndOhmInWords)
{
    const UnitTexts texts = testing::RussianTexts();
    EXPECT_EQ(texts.micro, QStringLiteral("мк"));
    EXPECT_EQ(texts.ohm, QStringLiteral("Ом"));
    EXPECT_EQ(texts.kilo, QStringLiteral("к"));
    EXPECT_EQ(texts.peakToPeak, QStringLiteral("п-п"));
    EXPECT_EQ(texts.junctionFound, QStringLiteral("ПН"));
}

TEST(UnitTexts, OtherLanguagesGetGreekSymbolsWhateverTheirFileSays)
{
    const UnitTexts texts = testing::EnglishTexts();
    EXPECT_EQ(texts.micro, QStringLiteral("\u03BC")); // the file says U+00B5
    EXPECT_EQ(texts.ohm, QStringLiteral("\u03A9"));   // the file says "Ohm"
    EXPECT_EQ(texts.kilo, QStringLiteral("k"));
    EXPECT_EQ(texts.currentSubscriptAutoRange, QStringLiteral("auto"));
}

} // namespace
} // namespace meter
