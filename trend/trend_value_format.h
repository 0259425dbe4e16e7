#pragma once
#include <QLocale>
#include <QString>

namespace trend {

// A metric prefix and the power of ten it stands for.
struct MetricScale {
    double factor = 1;
    QString prefix;
};

// The prefix from "p" to "M" that shows `magnitude` with one to three digits before the
// decimal point (as far as the prefixes reach); no prefix for 0.
MetricScale metricScaleFor(double magnitude);

// `value` with five significant digits, the locale's decimal separator, one blank, the
// metric prefix and the unit: "1,0023 kΩ", "-47,000 nF", "0,98000" without a unit.
QString formatMetric(double value, const QString& unit, const QLocale& locale = QLocale());

// A fraction from 0 to 1 as a percentage with one decimal: "97,5 %".
QString formatPercent(double fraction, const QLocale& locale = QLocale());

} // namespace trend
