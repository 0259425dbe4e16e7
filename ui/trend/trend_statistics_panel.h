#pragma once
#include "recording/running_statistics.h"

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
    // readings give it a meaning.
    void showStatistics(const recording::RunningStatistics& statistics, const QString& unit);

private:
    enum Field { Count, Minimum, Maximum, Mean, Deviation, PassRate, FieldCount };
    std::array<QLabel*, FieldCount> m_values{};
};

} // namespace trend
