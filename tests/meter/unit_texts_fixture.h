#pragma once
#include "localisation/main_lexicons.h"
#include "meter/unit_texts.h"
#include <QHash>
#include <QLocale>
#include <gtest/gtest.h>

namespace meter::testing {

// Stands in for the translation engine with a small English language: every item the
// formatting reads, with micro and ohm spelled the way an English file might spell them.
class EnglishTranslator : public localisation::LexiconTranslator {
public:
    QString TranslateString(const QString& designText, const QString& lexiconName, int itemNr) override
    {
        return m_texts.value(lexiconName + u'/' + QString::number(itemNr), designText);
    }
    void registerLexicon(localisation::TDesignedLexicon*) override {}
    void unregisterLexicon(localisation::TDesignedLexicon*) override {}

private:
    QHash<QString, QString> m_texts = {
        {"Form1.Dlang1/0", "M"},   {"Form1.Dlang1/1", "k"},   {"Form1.Dlang1/2", "m"},  {"Form1.Dlang1/3", "\u00B5"},
        {"Form1.Dlang1/4", "n"},   {"Form1.Dlang1/5", "p"},   {"Form1.Dlang3/0", "Hz"}, {"Form1.Dlang3/1", "Vrms"},
        {"Form1.Dlang3/2", "V"},   {"Form1.Dlang3/3", "Ohm"}, {"Form1.Dlang3/4", "H"},  {"Form1.Dlang3/5", "F"},
        {"Form1.Dlang3/6", "rms"}, {"Form1.Dlang3/7", "p-p"}, {"Form1.D3/0", "fix"},    {"Form1.D3/1", "auto"},
        {"Form1.D3/2", "PN"},
    };
};

struct EnglishLexicons {
    EnglishLexicons() { lexicons.bindTo(&translator); }
    EnglishTranslator translator;
    localisation::MainLexicons lexicons;
};

inline UnitTexts RussianTexts()
{
    const localisation::MainLexicons designed;
    return UnitTexts::From(designed);
}

inline UnitTexts EnglishTexts()
{
    const EnglishLexicons english;
    return UnitTexts::From(english.lexicons);
}

// Numbers read the default locale at each call: pin it to a point-and-comma locale for the
// test and give the previous one back afterwards.
class LocaleTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(m_saved); }
    static void UseCommaDecimalLocale() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    const UnitTexts english = EnglishTexts();
    const UnitTexts russian = RussianTexts();

private:
    QLocale m_saved;
};

} // namespace meter::testing
