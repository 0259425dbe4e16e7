#pragma once
#include "recording/running_statistics.h"

#include <QtGlobal>

#include <optional>
#include <vector>

namespace trend {

// One logged reading as the trend keeps it.
struct TrendPoint {
    qint64 timeMs = 0; // milliseconds since the epoch
    double value = 0;
    bool rejected = false;
};

// Every reading of the current recording, kept whole so that the chart can be decimated
// afresh for any width, and statistics updated reading by reading, so they stay exact
// whatever the drawing leaves out.
class TrendSeries {
public:
    // A value that is not a finite number has no place on an axis and would turn every
    // later mean and deviation into NaN, so it is left out of the points and the statistics.
    void add(const TrendPoint& point);
    void clear();

    bool isEmpty() const { return m_points.empty(); }
    const std::vector<TrendPoint>& points() const { return m_points; }
    const recording::RunningStatistics& statistics() const { return m_statistics; }
    // The mean of |x[i] - x[i-1]| over consecutive points, kept as they come, for the σ
    // within of the capability indices; none for fewer than two points.
    std::optional<double> averageMovingRange() const;
    // Time span of the points; the clock may be set back during a recording, so these are
    // the extremes rather than the first and the last point. Both 0 while empty.
    qint64 earliestTimeMs() const { return m_earliestMs; }
    qint64 latestTimeMs() const { return m_latestMs; }

private:
    std::vector<TrendPoint> m_points;
    recording::RunningStatistics m_statistics;
    double m_movingRangeSum = 0;
    qint64 m_earliestMs = 0;
    qint64 m_latestMs = 0;
};

} // namespace trend
