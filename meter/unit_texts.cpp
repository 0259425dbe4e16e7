#include "meter/unit_texts.h"
#include "localisation/main_lexicons.h"

namespace meter {

namespace {
const QString kRussianMicro = QStringLiteral("мк");
const QString kRussianOhm = QStringLiteral("Ом");
const QString kGreekMicro = QStringLiteral("\u03BC");
const QString kGreekOhm = QStringLiteral("\u03A9");

// Language files are free to spell micro and ohm as they like, but only the Russian
// interface writes them out in words; everyone else gets the Greek symbols.
QString RussianOrSymbol(const QString& translated, const QString& russian, const QString& symbol)
{
    return translated == russian ? russian : symbol;
}
} // namespace

UnitTexts UnitTexts::From(const localisation::MainLexicons& lex)
{
    UnitTexts t;
    t.mega = lex.Dlang1.GetItem(0);
    t.kilo = lex.Dlang1.GetItem(1);
    t.milli = lex.Dlang1.GetItem(2);
    t.micro = RussianOrSymbol(lex.Dlang1.GetItem(3), kRussianMicro, kGreekMicro);
    t.nano = lex.Dlang1.GetItem(4);
    t.pico = lex.Dlang1.GetItem(5);
    t.hertz = lex.Dlang3.GetItem(0);
    t.voltRms = lex.Dlang3.GetItem(1);
    t.volt = lex.Dlang3.GetItem(2);
    t.ohm = RussianOrSymbol(lex.Dlang3.GetItem(3), kRussianOhm, kGreekOhm);
    t.henry = lex.Dlang3.GetItem(4);
    t.farad = lex.Dlang3.GetItem(5);
    t.rms = lex.Dlang3.GetItem(6);
    t.peakToPeak = lex.Dlang3.GetItem(7);
    t.currentSubscriptFixedRange = lex.D3.GetItem(0);
    t.currentSubscriptAutoRange = lex.D3.GetItem(1);
    t.junctionFound = lex.D3.GetItem(2);
    return t;
}

const QString& UnitTexts::unitOf(PrimaryParameter parameter) const
{
    switch (parameter) {
    case PrimaryParameter::Capacitance: return farad;
    case PrimaryParameter::Inductance: return henry;
    case PrimaryParameter::Resistance:
    case PrimaryParameter::Impedance:
    case PrimaryParameter::None: break;
    }
    return ohm;
}

} // namespace meter
