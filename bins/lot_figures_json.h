#pragma once
#include "bins/lot_statistics.h"

#include <QJsonObject>

namespace bins {

// The figures as JSON, for programs: the keys n, overloads, mean, min, max, range, stdev,
// stdev_population, median, p05, p95, lsl, usl, pp, ppk, cp, cpk and yield, values in SI
// units and null where a figure is undefined; verdicts, an object from verdict word (pass,
// reject-primary, ...) to count; and bins, an object from bin word ("1" ... "9", "AUX",
// "OUT") to count, holding the bins readings went to.
//
//   {"n": 3, "overloads": 1, "mean": 4700.5, ..., "pp": null, ..., "yield": 0.6667,
//    "verdicts": {"pass": 2, "reject-primary": 1}, "bins": {"1": 2, "OUT": 1}}
QJsonObject LotFiguresJson(const LotFigures& figures);

} // namespace bins
