#pragma once
#include <QString>

namespace meter {

// A number with at most `precision` significant digits (limited to 2..18) and at most
// `decimals` digits after the separator, rounded half away from zero on its exact decimal
// value. Fixed form pads to exactly `decimals` digits; when the rounded value has more
// integer digits than `precision` it is written in scientific form ("1.2346E5").
// Separators are those of the default QLocale at the moment of the call.
QString FormatDecimal(double value, int precision, int decimals, bool grouping);

} // namespace meter
