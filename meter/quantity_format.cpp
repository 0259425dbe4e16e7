#include "meter/quantity_format.h"
#include "meter/decimal_format.h"
#include <QLocale>
#include <array>
#include <cmath>
#include <optional>

namespace meter {

namespace {

constexpr int kScaledPrecision = 5;

enum class Prefix { None, Mega, Kilo, Milli, Micro, Nano, Pico };

QString PrefixText(Prefix prefix, const UnitTexts& texts)
{
    switch (prefix) {
    case Prefix::None: return {};
    case Prefix::Mega: return texts.mega;
    case Prefix::Kilo: return texts.kilo;
    case Prefix::Milli: return texts.milli;
    case Prefix::Micro: return texts.micro;
    case Prefix::Nano: return texts.nano;
    case Prefix::Pico: return texts.pico;
    }
    return {};
}

QString Scaled(double printed, int decimals, Prefix prefix, const UnitTexts& texts)
{
    return FormatDecimal(printed, kScaledPrecision, decimals, true) + u' ' + PrefixText(prefix, texts);
}

struct ScaleRow {
    double threshold;
    int shift; // printed number = value × 10^shift
    int decimals;
    Prefix prefix;
};

// From the top, the first row whose threshold the value reaches wins.
constexpr std::array<ScaleRow, 11> kScaleRows = {{
    {1e7, -6, 3, Prefix::Mega},
    {1e6, -6, 4, Prefix::Mega},
    {1e5, -3, 2, Prefix::Kilo},
    {1e4, -3, 3, Prefix::Kilo},
    {1e3, -3, 4, Prefix::Kilo},
    {1e2, 0, 2, Prefix::None},
    {1e1, 0, 3, Prefix::None},
    {1.0, 0, 4, Prefix::None},
    {0.1, 3, 2, Prefix::Milli},
    {0.01, 3, 3, Prefix::Milli},
    {0.001, 3, 4, Prefix::Milli},
}};

// Divides by the exact power of ten rather than multiplying by an inexact 1e-6, so values
// that sit on a rounding boundary print the way they read.
double Shifted(double v, int shift)
{
    const double power = std::pow(10.0, std::abs(shift));
    return shift < 0 ? v / power : v * power;
}

// The rows that hold for every quantity; nullopt below one milli.
std::optional<QString> ScaledFromMilliUp(double v, const UnitTexts& texts)
{
    for (const ScaleRow& row : kScaleRows)
        if (v >= row.threshold)
            return Scaled(Shifted(v, row.shift), row.decimals, row.prefix, texts);
    return std::nullopt;
}

// Small inductances stay in micro; the usable digits depend on the test frequency.
QString SmallInductance(double v, qint32 testFreqHz, const UnitTexts& texts)
{
    int decimals = 4;
    if (testFreqHz == 100 || v >= 1e-4)
        decimals = 2;
    else if (testFreqHz == 1000 || v >= 1e-5)
        decimals = 3;
    return Scaled(v * 1e6, decimals, Prefix::Micro, texts);
}

QString SmallValue(double v, qint32 testFreqHz, const UnitTexts& texts)
{
    if (v >= 1e-4)
        return Scaled(v * 1e6, 2, Prefix::Micro, texts);
    if (v >= 1e-5)
        return Scaled(v * 1e6, 3, Prefix::Micro, texts);
    if (v >= 1e-6)
        return Scaled(v * 1e6, 4, Prefix::Micro, texts);
    if (v >= 1e-7)
        return Scaled(v * 1e9, 2, Prefix::Nano, texts);
    if (v >= 1e-8)
        return Scaled(v * 1e9, 3, Prefix::Nano, texts);
    if (v >= 1e-9)
        return Scaled(v * 1e9, 4, Prefix::Nano, texts);
    if (v >= 1e-10 || testFreqHz == 100)
        return Scaled(v * 1e12, 2, Prefix::Pico, texts);
    if (v >= 1e-11 || testFreqHz == 1000)
        return Scaled(v * 1e12, 3, Prefix::Pico, texts);
    return Scaled(v * 1e12, 4, Prefix::Pico, texts);
}

// Overload texts carry the locale's decimal separator like every other number.
QString Overload(const QString& integer, const QString& prefixAndUnit)
{
    return u'>' + integer + QLocale().decimalPoint() + QStringLiteral("00 ") + prefixAndUnit;
}

int IntegerDigitsUpToFour(double v)
{
    if (v < 10)
        return 1;
    if (v < 100)
        return 2;
    if (v < 1000)
        return 3;
    return 4;
}

} // namespace

bool IsResistanceOverload(double ohms)
{
    return ohms > kResistanceOverloadAboveOhm;
}

bool IsInductanceOverload(double henry)
{
    return henry > kInductanceOverloadAboveHenry;
}

bool IsCapacitanceOverload(double farad)
{
    return farad >= kCapacitanceOverloadFromFarad;
}

QString FormatScaled(double value, bool inductance, qint32 testFreqHz, const UnitTexts& texts)
{
    if (auto text = ScaledFromMilliUp(value, texts))
        return *text;
    return inductance ? SmallInductance(value, testFreqHz, texts) : SmallValue(value, testFreqHz, texts);
}

QString FormatResistance(double ohms, const UnitTexts& texts)
{
    QString number;
    if (IsResistanceOverload(ohms))
        number = Overload(QStringLiteral("20"), texts.mega);
    else if (ohms < 1)
        number = FormatDecimal(ohms, 5, 4, true) + u' ';
    else if (ohms < 10)
        number = FormatDecimal(ohms, 5, 3, true) + u' ';
    else
        number = *ScaledFromMilliUp(ohms, texts); // ten ohm and more never reach the small rows
    return number + texts.ohm;
}

QString FormatInductance(double henry, qint32 testFreqHz, const UnitTexts& texts)
{
    if (IsInductanceOverload(henry))
        return QStringLiteral(">500 ") + texts.henry;
    return FormatScaled(henry, true, testFreqHz, texts) + texts.henry;
}

QString FormatCapacitance(double farad, qint32 testFreqHz, const UnitTexts& texts)
{
    if (IsCapacitanceOverload(farad))
        return Overload(QStringLiteral("22"), texts.milli + texts.farad);
    if (farad >= 0.001)
        return FormatDecimal(farad * 1e6, 7, 0, true) + u' ' + texts.micro + texts.farad;
    return FormatScaled(farad, false, testFreqHz, texts) + texts.farad;
}

QString FormatRatio(double ratio)
{
    return FormatDecimal(ratio, 5, 5 - IntegerDigitsUpToFour(ratio), false);
}

QString FormatAngle(double degrees)
{
    return FormatDecimal(degrees, 4, 4, true) + QStringLiteral("\u00B0");
}

QString FormatFrequency(qint32 hertz, const UnitTexts& texts)
{
    if (hertz > 999)
        return QString::number(hertz / 1000) + u' ' + texts.kilo + texts.hertz;
    return QString::number(hertz) + u' ' + texts.hertz;
}

} // namespace meter
