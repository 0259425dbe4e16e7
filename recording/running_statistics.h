#pragma once
#include <QtGlobal>

namespace recording {

// Count, extremes, mean, standard deviation and pass rate of a series of readings,
// updated one value at a time without keeping the values. The mean and the spread use
// Welford's update, which stays exact to rounding where summing squares would cancel.
class RunningStatistics {
public:
    void add(double value, bool passed);

    qint64 count() const { return m_count; }
    double min() const { return m_min; } // 0 while empty, like max and mean
    double max() const { return m_max; }
    double mean() const { return m_mean; }
    // Sample standard deviation (divided by count - 1); 0 for fewer than two values.
    double standardDeviation() const;
    // Passed readings as a fraction of all readings (0 to 1); 0 while empty.
    double passRate() const;

private:
    qint64 m_count = 0;
    qint64 m_passed = 0;
    double m_min = 0;
    double m_max = 0;
    double m_mean = 0;
    double m_squaredDistances = 0; // sum of squared distances from the mean
};

} // namespace recording
