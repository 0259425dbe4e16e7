#include "log_cell_printers.h"
#include "localisation/main_lexicons.h"
#include "recording/part_record.h"
#include "recording/profile_view_texts.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

using namespace recording;
namespace pv = recording::profile_view;

namespace {

PartRecord part()
{
    PartRecord r;
    r.name = "R1";
    r.startPosition = 7;
    r.primaryTolerance = "1%";
    r.primaryKind = 0;
    r.primaryUnit = 1;
    r.primaryNominal = "10000";
    r.secondaryTolerance = "10%";
    r.secondaryKind = 1;
    r.secondaryNominal = "50";
    r.settings = {0, 4, 1, 2, 1, 1, 1, 4, 0, 1, 3, 0, 0, 1, 0};
    return r;
}

TEST(ProfileViewTexts, ReferenceTextsWithTheDesignedLexicons)
{
    const localisation::MainLexicons lex;
    PartRecord r = part();
    EXPECT_EQ(pv::PrimaryReferenceText(r, lex), "R 1% 10000кОм");
    EXPECT_EQ(pv::SecondaryReferenceText(r, lex), "Q 10% 50");

    const struct {
        int kind, unit;
        const char* text;
    } primaries[] = {{0, 0, "R 1% 10000Ом"},  {0, 2, "R 1% 10000МОм"}, {1, 0, "L 1% 10000мкГн"},
                     {1, 1, "L 1% 10000мГн"}, {1, 2, "L 1% 10000Гн"},  {2, 0, "C 1% 10000пФ"},
                     {2, 1, "C 1% 10000нФ"},  {2, 2, "C 1% 10000мкФ"}};
    for (const auto& p : primaries) {
        r.primaryKind = quint8(p.kind);
        r.primaryUnit = quint8(p.unit);
        EXPECT_EQ(pv::PrimaryReferenceText(r, lex), QString::fromUtf8(p.text));
    }
    r.secondaryKind = 0;
    r.secondaryUnit = 2;
    r.secondaryTolerance = "<";
    EXPECT_EQ(pv::SecondaryReferenceText(r, lex), "R < 50МОм");
}

TEST(ProfileViewTexts, FrequencyLevelAndIntervalTexts)
{
    const localisation::MainLexicons lex;
    EXPECT_EQ(pv::FrequencyText(4, lex), "10кГц");
    EXPECT_EQ(pv::FrequencyText(1, lex), "100Гц");
    EXPECT_EQ(pv::FrequencyText(11, lex), "75кГц");
    EXPECT_EQ(pv::FrequencyText(0, lex), "");
    EXPECT_EQ(pv::FrequencyText(15, lex), "");
    EXPECT_EQ(pv::LevelText(0, lex), "1.0Вскз");
    EXPECT_EQ(pv::LevelText(2, lex), "0.5Вскз");
    EXPECT_EQ(pv::LevelText(4, lex), "0.1В");
    EXPECT_EQ(pv::LevelText(5, lex), "");
    EXPECT_EQ(pv::IntervalText(1, lex), "2сек");
    EXPECT_EQ(pv::IntervalText(3, lex), "0.5сек");
    EXPECT_EQ(pv::IntervalText(0, lex), "");
}

TEST(ProfileViewTexts, RowOfAPart)
{
    const localisation::MainLexicons lex;
    PartRecord r = part();
    r.primaryTolerance = StoredToleranceOff;
    // Number and start position are whole numbers; a reference that is off leaves its cell empty.
    const std::array<LogCell, LogRow::ColumnCount> expected{
        3,
        QString("R1"),
        {},
        QString("Q 10% 50"),
        QString("S"),
        QString("10кГц"),
        QString("A0.1В"),
        QString("0.5сек"),
        7,
        {},
    };
    EXPECT_EQ(pv::RowCells(3, r, lex), expected);

    r.settings[settings_byte::SerPerAuto] = 1;
    r.settings[settings_byte::FreqAuto] = 1;
    r.settings[settings_byte::SerPer] = 0;
    EXPECT_EQ(pv::RowCells(3, r, lex)[4], LogCell(QString("A")));
    EXPECT_EQ(pv::RowCells(3, r, lex)[5], LogCell(QString("A10кГц")));
    r.settings[settings_byte::SerPerAuto] = 0;
    EXPECT_EQ(pv::RowCells(3, r, lex)[4], LogCell(QString("P")));
}

// A language whose micro and ohm texts differ from the designed ones gets the symbols.
class EnglishUnits : public localisation::LexiconTranslator {
public:
    QString TranslateString(const QString& designText, const QString& lexiconName, int itemNr) override
    {
        if (lexiconName == "Form1.Dlang1" && itemNr == 1)
            return "k";
        if (lexiconName == "Form1.Dlang1" && itemNr == 3)
            return "u";
        if (lexiconName == "Form1.Dlang3" && itemNr == 3)
            return "Ohm";
        if (lexiconName == "Form1.Dlang3" && itemNr == 5)
            return "F";
        return designText;
    }
    void registerLexicon(localisation::TDesignedLexicon*) override {}
    void unregisterLexicon(localisation::TDesignedLexicon*) override {}
};

TEST(ProfileViewTexts, OtherLanguagesGetTheMicroAndOhmSymbols)
{
    EnglishUnits english;
    localisation::MainLexicons lex;
    lex.bindTo(&english);
    PartRecord r = part();
    EXPECT_EQ(pv::PrimaryReferenceText(r, lex), "R 1% 10000kΩ");
    r.primaryKind = 2;
    r.primaryUnit = 2;
    EXPECT_EQ(pv::PrimaryReferenceText(r, lex), "C 1% 10000μF");
    lex.bindTo(nullptr);
}

} // namespace
