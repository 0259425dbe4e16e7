#pragma once
#include "trend/trend_series.h"
#include "ui/trend/trend_chart.h"

#include <QWidget>

#include <array>

class QLabel;

namespace trend {

// The statistics row under the chart: a caption over each value. The captions are design
// texts that a translation replaces by object name; the values are separate labels, so a
// translation never touches a number.
class TrendStatisticsPanel : public QWidget {
    Q_OBJECT
public:
    explicit TrendStatisticsPanel(QWidget* parent = nullptr);

    // Values in the locale's notation, with `unit` after the metric prefix. Extremes and
    // mean read "—" while nothing is recorded, the deviation while fewer than two
    // readings give it a meaning. The capability indices against the reference's limits,
    // each under its own name: Pp and Ppk with the overall σ, Cp and Cpk with the σ within
    // (the average moving range / 1.128); "–" where an index is undefined (no limit on the
    // side it needs, fewer than two readings, σ of 0), never infinity.
    void showStatistics(const TrendSeries& series, const std::optional<Reference>& reference, const QString& unit);

private:
    enum Field { Count, Minimum, Maximum, Mean, Deviation, PassRate, Pp, Ppk, Cp, Cpk, FieldCount };
    std::array<QLabel*, FieldCount> m_values{};
};

} // namespace trend
