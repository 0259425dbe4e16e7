#include "trend/trend_series.h"

#include <algorithm>
#include <cmath>

namespace trend {

void TrendSeries::add(const TrendPoint& point)
{
    if (!std::isfinite(point.value))
        return;
    m_earliestMs = isEmpty() ? point.timeMs : std::min(m_earliestMs, point.timeMs);
    m_latestMs = isEmpty() ? point.timeMs : std::max(m_latestMs, point.timeMs);
    if (!isEmpty())
        m_movingRangeSum += std::abs(point.value - m_points.back().value);
    m_points.push_back(point);
    m_statistics.add(point.value, !point.rejected);
}

std::optional<double> TrendSeries::averageMovingRange() const
{
    if (m_points.size() < 2)
        return std::nullopt;
    return m_movingRangeSum / double(m_points.size() - 1);
}

void TrendSeries::clear()
{
    *this = TrendSeries();
}

} // namespace trend
