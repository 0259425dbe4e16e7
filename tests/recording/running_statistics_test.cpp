#include "recording/running_statistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

using namespace recording;

namespace {

struct Expected {
    double min, max, mean, standardDeviation;
};

// Two passes over the stored values: the textbook definition.
Expected computeTwoPass(const std::vector<double>& values)
{
    const double n = double(values.size());
    const double mean = std::accumulate(values.begin(), values.end(), 0.0) / n;
    double squares = 0;
    for (double v : values)
        squares += (v - mean) * (v - mean);
    return {*std::min_element(values.begin(), values.end()), *std::max_element(values.begin(), values.end()), mean,
            std::sqrt(squares / (n - 1))};
}

TEST(RunningStatistics, MatchesTheTwoPassDefinition)
{
    const std::vector<std::vector<double>> series{
        {1.2, -0.4, 3.3, 0.0, 2.5},
        {-12345.6, 0.001, 99.99, 7, 7, 7},
        // A large common offset: summing squares would lose the spread entirely.
        {1e9 + 0.1, 1e9 + 0.2, 1e9 + 0.3, 1e9 + 0.4},
    };
    for (const std::vector<double>& values : series) {
        RunningStatistics statistics;
        for (double v : values)
            statistics.add(v, v > 0);
        const Expected expected = computeTwoPass(values);
        EXPECT_EQ(statistics.count(), qint64(values.size()));
        EXPECT_EQ(statistics.min(), expected.min);
        EXPECT_EQ(statistics.max(), expected.max);
        EXPECT_NEAR(statistics.mean(), expected.mean, 1e-9 * std::abs(expected.mean) + 1e-12);
        EXPECT_NEAR(statistics.standardDeviation(), expected.standardDeviation, 1e-6 * expected.standardDeviation);
        const double passed = double(std::count_if(values.begin(), values.end(), [](double v) { return v > 0; }));
        EXPECT_DOUBLE_EQ(statistics.passRate(), passed / double(values.size()));
    }
}

TEST(RunningStatistics, EmptyAndSingleValue)
{
    RunningStatistics statistics;
    EXPECT_EQ(statistics.count(), 0);
    EXPECT_EQ(statistics.passRate(), 0);
    EXPECT_EQ(statistics.standardDeviation(), 0);
    statistics.add(-4.5, false);
    EXPECT_EQ(statistics.min(), -4.5);
    EXPECT_EQ(statistics.max(), -4.5);
    EXPECT_EQ(statistics.mean(), -4.5);
    EXPECT_EQ(statistics.standardDeviation(), 0);
    EXPECT_EQ(statistics.passRate(), 0);
}

} // namespace
