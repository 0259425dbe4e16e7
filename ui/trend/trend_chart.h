#pragma once
#include "trend/trend_series.h"

#include <QChart>

#include <optional>

class QAreaSeries;
class QDateTimeAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace trend {

// The reference of the primary value: its nominal value and the tolerance limits. A
// symmetric or asymmetric tolerance gives both limits, ">" or "<" only one.
struct Reference {
    double nominal = 0;
    std::optional<double> lower;
    std::optional<double> upper;
};

// The chart of a recording: the values over time, the reject marks, and the nominal line
// with the tolerance band or the single limit. The value axis carries a metric prefix
// chosen for the data, so its labels stay short numbers with the locale's separator.
class TrendChart : public QChart {
    Q_OBJECT
public:
    TrendChart();

    void setQuantity(const QString& name, const QString& unit);
    // The time axis title in the interface language.
    void setTimeAxisTitle(const QString& title);
    // Redraws everything from `series`, decimated for `columns` pixel columns.
    void draw(const TrendSeries& series, const std::optional<Reference>& reference, int columns);

private:
    struct TimeSpan {
        qint64 fromMs, toMs;
    };
    TimeSpan axisSpan(const TrendSeries& series) const;
    void drawReference(const std::optional<Reference>& reference, TimeSpan span, double factor);
    void fitValueAxis(const TrendSeries& series, const std::optional<Reference>& reference, double factor);

    QString m_quantity;
    QString m_unit;
    QDateTimeAxis* m_timeAxis;
    QValueAxis* m_valueAxis;
    QLineSeries* m_bandUpper; // edges of the band, owned by the band
    QLineSeries* m_bandLower;
    QAreaSeries* m_band;
    QLineSeries* m_lowerLimit;
    QLineSeries* m_upperLimit;
    QLineSeries* m_nominal;
    QLineSeries* m_values;
    QScatterSeries* m_rejects;
};

} // namespace trend
