#include "recording/running_statistics.h"

#include <algorithm>
#include <cmath>

namespace recording {

void RunningStatistics::add(double value, bool passed)
{
    ++m_count;
    if (passed)
        ++m_passed;
    m_min = m_count == 1 ? value : std::min(m_min, value);
    m_max = m_count == 1 ? value : std::max(m_max, value);
    const double delta = value - m_mean;
    m_mean += delta / double(m_count);
    m_squaredDistances += delta * (value - m_mean);
}

double RunningStatistics::standardDeviation() const
{
    return m_count < 2 ? 0 : std::sqrt(m_squaredDistances / double(m_count - 1));
}

double RunningStatistics::passRate() const
{
    return m_count == 0 ? 0 : double(m_passed) / double(m_count);
}

} // namespace recording
