#include "trend/trend_decimation.h"

#include <algorithm>
#include <utility>

namespace trend {
namespace {

// The lowest and the highest point seen in one pixel column.
struct Bucket {
    const TrendPoint* low = nullptr;
    const TrendPoint* high = nullptr;

    void take(const TrendPoint& point)
    {
        if (!low || point.value < low->value)
            low = &point;
        if (!high || point.value > high->value)
            high = &point;
    }
};

// Earlier in time first; points of the same time keep the order in which they arrived.
bool drawnBefore(const TrendPoint* a, const TrendPoint* b)
{
    return a->timeMs != b->timeMs ? a->timeMs < b->timeMs : a < b;
}

QList<QPointF> extremesInTimeOrder(const std::vector<Bucket>& buckets)
{
    QList<QPointF> drawn;
    for (const Bucket& bucket : buckets) {
        if (!bucket.low)
            continue;
        auto [first, second] = std::minmax(bucket.low, bucket.high, drawnBefore);
        drawn.append(QPointF(double(first->timeMs), first->value));
        if (second != first)
            drawn.append(QPointF(double(second->timeMs), second->value));
    }
    return drawn;
}

} // namespace

DecimatedTrend decimate(const std::vector<TrendPoint>& points, qint64 fromMs, qint64 toMs, int columns)
{
    columns = std::max(columns, 1);
    const qint64 span = toMs - fromMs;
    std::vector<Bucket> values(static_cast<std::size_t>(columns));
    std::vector<Bucket> rejects(static_cast<std::size_t>(columns));
    for (const TrendPoint& point : points) {
        if (point.timeMs < fromMs || point.timeMs > toMs)
            continue;
        const auto bucket =
            std::size_t(span > 0 ? std::min<qint64>((point.timeMs - fromMs) * columns / span, columns - 1) : 0);
        values[bucket].take(point);
        if (point.rejected)
            rejects[bucket].take(point);
    }
    return {extremesInTimeOrder(values), extremesInTimeOrder(rejects)};
}

} // namespace trend
