#pragma once
#include "meter/unit_texts.h"
#include <QString>

namespace meter {

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
