#pragma once
#include "meter/unit_texts.h"
#include <QString>

namespace meter {

// Past these the meter shows an overload text instead of a number: the number behind it
// means nothing.
inline constexpr double kResistanceOverloadAboveOhm = 2e7;
inline constexpr double kInductanceOverloadAboveHenry = 500;
inline constexpr double kCapacitanceOverloadFromFarad = 0.01;

bool IsResistanceOverload(double ohms);
bool IsInductanceOverload(double henry);
bool IsCapacitanceOverload(double farad);

// Number, one blank and metric prefix (no unit), five significant digits with grouping.
// Below one milli the inductance flag and the test frequency pick the prefix and decimals.
QString FormatScaled(double value, bool inductance, qint32 testFreqHz, const UnitTexts& texts);

// Each of these writes one whole reading with its unit, or the overload text of its range.
QString FormatResistance(double ohms, const UnitTexts& texts);
QString FormatInductance(double henry, qint32 testFreqHz, const UnitTexts& texts);
QString FormatCapacitance(double farad, qint32 testFreqHz, const UnitTexts& texts);
QString FormatRatio(double ratio);
QString FormatAngle(double degrees);
QString FormatFrequency(qint32 hertz, const UnitTexts& texts);

} // namespace meter
