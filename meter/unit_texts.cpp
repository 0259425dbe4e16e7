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
    using namespace localisation;
    UnitTexts t;
    t.mega = lex.Dlang1.GetItem(MegaPrefix);
    t.kilo = lex.Dlang1.GetItem(KiloPrefix);
    t.milli = lex.Dlang1.GetItem(MilliPrefix);
    t.micro = RussianOrSymbol(lex.Dlang1.GetItem(MicroPrefix), kRussianMicro, kGreekMicro);
    t.nano = lex.Dlang1.GetItem(NanoPrefix);
    t.pico = lex.Dlang1.GetItem(PicoPrefix);
    t.hertz = lex.Dlang3.GetItem(HertzUnit);
    t.voltRms = lex.Dlang3.GetItem(VoltRmsUnit);
    t.volt = lex.Dlang3.GetItem(VoltUnit);
    t.ohm = RussianOrSymbol(lex.Dlang3.GetItem(OhmUnit), kRussianOhm, kGreekOhm);
    t.henry = lex.Dlang3.GetItem(HenryUnit);
    t.farad = lex.Dlang3.GetItem(FaradUnit);
    t.rms = lex.Dlang3.GetItem(RmsMark);
    t.peakToPeak = lex.Dlang3.GetItem(PeakToPeakMark);
    t.currentSubscriptFixedRange = lex.D3.GetItem(FixedRangeSubscript);
    t.currentSubscriptAutoRange = lex.D3.GetItem(AutoRangeSubscript);
    t.junctionFound = lex.D3.GetItem(JunctionFoundText);
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
