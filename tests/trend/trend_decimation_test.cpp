#include "trend/trend_decimation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <set>
#include <vector>

using namespace trend;

namespace {

constexpr qint64 StartMs = 1'700'000'000'000;
constexpr qint64 StepMs = 37;

// A noisy drifting signal with lone rejects scattered through it and a run of rejects.
std::vector<TrendPoint> recording(int count)
{
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0, 0.3);
    std::vector<TrendPoint> points;
    for (int i = 0; i < count; ++i) {
        const bool rejected = i % 997 == 500 || (i >= 12'000 && i < 12'040);
        const double value = 1000 + 5 * std::sin(i / 900.0) + noise(random) + (rejected ? 9 : 0);
        points.push_back({StartMs + i * StepMs, value, rejected});
    }
    return points;
}

struct Extremes {
    double low = INFINITY;
    double high = -INFINITY;
    int drawn = 0;
};

// Bucket of a time as the decimation promises it, in exact integer arithmetic.
qint64 bucketOf(qint64 timeMs, qint64 fromMs, qint64 toMs, int columns)
{
    return std::min<qint64>((timeMs - fromMs) * columns / (toMs - fromMs), columns - 1);
}

struct Case {
    const char* name;
    qint64 fromMs, toMs;
    int columns;
};

class Decimation : public ::testing::TestWithParam<Case> {};

TEST_P(Decimation, KeepsEveryBucketsExtremesAndItsRejectsInTimeOrder)
{
    const Case c = GetParam();
    const std::vector<TrendPoint> points = recording(20'000);
    const DecimatedTrend drawn = decimate(points, c.fromMs, c.toMs, c.columns);

    std::map<qint64, Extremes> all, rejected;
    std::set<std::pair<double, double>> rejectPoints;
    for (const TrendPoint& p : points) {
        if (p.timeMs < c.fromMs || p.timeMs > c.toMs)
            continue;
        const qint64 bucket = bucketOf(p.timeMs, c.fromMs, c.toMs, c.columns);
        for (Extremes* e : {&all[bucket], p.rejected ? &rejected[bucket] : nullptr}) {
            if (e) {
                e->low = std::min(e->low, p.value);
                e->high = std::max(e->high, p.value);
            }
        }
        if (p.rejected)
            rejectPoints.insert({double(p.timeMs), p.value});
    }

    const auto check = [&](const QList<QPointF>& shown, std::map<qint64, Extremes> expected, const char* what) {
        SCOPED_TRACE(what);
        EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end(), [](QPointF a, QPointF b) { return a.x() < b.x(); }));
        std::map<qint64, Extremes> seen;
        for (QPointF p : shown) {
            Extremes& e = seen[bucketOf(qint64(p.x()), c.fromMs, c.toMs, c.columns)];
            e.low = std::min(e.low, p.y());
            e.high = std::max(e.high, p.y());
            ++e.drawn;
        }
        ASSERT_EQ(seen.size(), expected.size()) << "every bucket with points shows, no other";
        for (const auto& [bucket, e] : expected) {
            EXPECT_EQ(seen[bucket].low, e.low) << "bucket " << bucket;
            EXPECT_EQ(seen[bucket].high, e.high) << "bucket " << bucket;
            EXPECT_LE(seen[bucket].drawn, 2) << "bucket " << bucket;
        }
    };
    check(drawn.values, all, "values");
    check(drawn.rejects, rejected, "rejects");
    for (QPointF p : drawn.rejects)
        EXPECT_TRUE(rejectPoints.count({p.x(), p.y()})) << "a reject mark must be a rejected reading";
}

const qint64 EndMs = StartMs + 19'999 * StepMs;

INSTANTIATE_TEST_SUITE_P(Ranges, Decimation,
                         ::testing::Values(Case{"WholeRecordingOnePixel", StartMs, EndMs, 1},
                                           Case{"WholeRecordingNarrow", StartMs, EndMs, 7},
                                           Case{"WholeRecordingWide", StartMs, EndMs, 1'213},
                                           Case{"InnerWindow", StartMs + 100'000, StartMs + 500'003, 640},
                                           Case{"MoreColumnsThanPoints", StartMs, EndMs, 50'000}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(DecimationLimits, FewPointsStayWholeAndOneInstantFillsOneBucket)
{
    const std::vector<TrendPoint> points = recording(300);
    const DecimatedTrend whole = decimate(points, StartMs, StartMs + 299 * StepMs, 2'000);
    ASSERT_EQ(whole.values.size(), 300);
    for (std::size_t i = 0; i < 300; ++i)
        EXPECT_EQ(whole.values[qsizetype(i)], QPointF(double(points[i].timeMs), points[i].value));

    const std::vector<TrendPoint> sameInstant{{StartMs, 3, false}, {StartMs, 1, true}, {StartMs, 2, false}};
    const DecimatedTrend instant = decimate(sameInstant, StartMs, StartMs, 800);
    EXPECT_EQ(instant.values, QList<QPointF>({QPointF(double(StartMs), 3), QPointF(double(StartMs), 1)}));
    EXPECT_EQ(instant.rejects, QList<QPointF>({QPointF(double(StartMs), 1)}));
}

} // namespace
