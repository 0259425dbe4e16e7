#include "trend/trend_series.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <vector>

using namespace trend;

namespace {

// The textbook definitions over the stored values, written independently of the series.
struct TwoPass {
    double min, max, mean, standardDeviation, passRate;
};

TwoPass computeTwoPass(const std::vector<TrendPoint>& points)
{
    std::vector<double> values;
    int passed = 0;
    for (const TrendPoint& p : points) {
        if (!std::isfinite(p.value))
            continue;
        values.push_back(p.value);
        passed += p.rejected ? 0 : 1;
    }
    const double n = double(values.size());
    const double mean = std::accumulate(values.begin(), values.end(), 0.0) / n;
    double squares = 0;
    for (double v : values)
        squares += (v - mean) * (v - mean);
    return {*std::min_element(values.begin(), values.end()), *std::max_element(values.begin(), values.end()), mean,
            std::sqrt(squares / (n - 1)), passed / n};
}

TEST(TrendSeries, StatisticsMatchTheTwoPassDefinitionAndSkipNonFiniteValues)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Times go back once (the clock was set back) and two readings carry no number.
    const std::vector<TrendPoint> points{
        {1'000, 100.2e-9, false}, {2'000, 99.7e-9, false},  {3'000, 104.9e-9, true}, {4'000, nan, true},
        {2'500, 100.0e-9, false}, {5'000, 95.1e-9, true},   {6'000, inf, false},     {7'000, 100.4e-9, false},
        {8'000, 100.1e-9, false}, {9'000, -0.01e-9, false},
    };
    TrendSeries series;
    for (const TrendPoint& p : points)
        series.add(p);

    const TwoPass expected = computeTwoPass(points);
    const recording::RunningStatistics& statistics = series.statistics();
    EXPECT_EQ(series.points().size(), 8u);
    EXPECT_EQ(statistics.count(), 8);
    EXPECT_EQ(statistics.min(), expected.min);
    EXPECT_EQ(statistics.max(), expected.max);
    EXPECT_NEAR(statistics.mean(), expected.mean, 1e-12 * std::abs(expected.mean));
    EXPECT_NEAR(statistics.standardDeviation(), expected.standardDeviation, 1e-9 * expected.standardDeviation);
    EXPECT_DOUBLE_EQ(statistics.passRate(), expected.passRate);
    EXPECT_EQ(series.earliestTimeMs(), 1'000);
    EXPECT_EQ(series.latestTimeMs(), 9'000);

    series.clear();
    EXPECT_TRUE(series.isEmpty());
    EXPECT_EQ(series.statistics().count(), 0);
    series.add({50'000, 1.0, false});
    EXPECT_EQ(series.earliestTimeMs(), 50'000);
    EXPECT_EQ(series.statistics().mean(), 1.0);
}

} // namespace
