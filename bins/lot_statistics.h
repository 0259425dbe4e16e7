#pragma once
#include "recording/bin.h"
#include "bins/capability.h"
#include "recording/row_numbers.h"
#include "recording/running_statistics.h"
#include "recording/tolerance.h"

#include <QtGlobal>

#include <map>
#include <optional>
#include <vector>

namespace bins {

// The figures of one part's lot. Values are in the part's SI unit; a figure is none where
// it is undefined: every value figure of an empty lot, σ of fewer than two readings (the
// population σ of one reading is 0), an index without σ, with σ = 0 or without the limit it
// needs, the yield of a lot without a verdict.
struct LotFigures {
    qint64 n = 0;         // readings with a primary value
    qint64 overloads = 0; // readings past the meter's range: counted, in no other figure
    std::optional<double> mean, min, max, range;
    std::optional<double> stdev;           // sample σ, n - 1
    std::optional<double> stdevPopulation; // σ over n
    std::optional<double> median, p05, p95;
    SpecificationLimits limits;
    std::optional<double> pp, ppk; // with the sample σ
    std::optional<double> cp, cpk; // with the within σ (average moving range / 1.128)
    std::optional<double> yield;   // passes among the readings with a verdict, 0 to 1
    std::map<recording::VerdictCode, qint64> verdicts;
    std::map<Bin, qint64> bins; // only the bins readings went to; empty without a bin table
};

// The statistics of one part's lot, kept as the rows come. Every logged row of the part
// with a primary value counts; an overloaded primary is counted apart and left out of every
// other figure (its verdict and bin too), and a row without a primary (the meter naming
// none) is not counted at all. The moving ranges run over the counted readings in the
// order they were added, so consecutive rows of the part, overloads skipped.
//
// Each add is O(1): count, extremes, mean and σ by Welford's update, the moving-range sum
// compensated, and the counts. The median and percentiles need the values themselves, so
// they are kept (8 bytes a reading) and figures() selects them on demand in O(n).
class LotStatistics {
public:
    explicit LotStatistics(const SpecificationLimits& limits = {});

    // One row of the part, and its bin where the part has a bin table.
    void add(const recording::RowNumbers& row, std::optional<Bin> bin = std::nullopt);
    LotFigures figures() const;

private:
    SpecificationLimits m_limits;
    recording::RunningStatistics m_running;
    qint64 m_overloads = 0;
    std::vector<double> m_values;
    double m_movingRangeSum = 0;
    double m_movingRangeCompensation = 0; // Neumaier's: what the sum lost to rounding
    std::map<recording::VerdictCode, qint64> m_verdicts;
    std::map<Bin, qint64> m_bins;
};

} // namespace bins
