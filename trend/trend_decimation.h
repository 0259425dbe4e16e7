#pragma once
#include "trend/trend_series.h"

#include <QList>
#include <QPointF>

namespace trend {

// Points to draw; x is milliseconds since the epoch, y the value.
struct DecimatedTrend {
    QList<QPointF> values;  // every reading, rejected or not
    QList<QPointF> rejects; // the rejected readings again, for their marks
};

// Reduces the points whose time lies in [fromMs, toMs] to what `columns` pixel columns can
// show. Point p falls into bucket (p.timeMs - fromMs) * columns / (toMs - fromMs), the last
// bucket also taking toMs; each bucket keeps its lowest and its highest value in time order,
// so every spike stays visible and at most two points per column are drawn. The rejected
// points are reduced the same way among themselves, so a bucket that holds a reject keeps
// at least one reject mark.
DecimatedTrend decimate(const std::vector<TrendPoint>& points, qint64 fromMs, qint64 toMs, int columns);

} // namespace trend
