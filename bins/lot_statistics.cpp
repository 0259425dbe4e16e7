#include "bins/lot_statistics.h"

#include "bins/percentile.h"

#include <cmath>

namespace bins {
namespace {

constexpr int kMedian = 50;
constexpr int kLowPercentile = 5;
constexpr int kHighPercentile = 95;

// Neumaier's compensated addition: the sum keeps its rounding error apart, so a long run of
// small ranges adds up as exactly as one rounding.
void addCompensated(double& sum, double& compensation, double value)
{
    const double total = sum + value;
    compensation += std::abs(sum) >= std::abs(value) ? (sum - total) + value : (value - total) + sum;
    sum = total;
}

} // namespace

LotStatistics::LotStatistics(const SpecificationLimits& limits) : m_limits(limits) {}

void LotStatistics::add(const recording::RowNumbers& row, std::optional<Bin> bin)
{
    const auto& primary = row.values.primary;
    if (!primary)
        return;
    if (primary->overload) {
        ++m_overloads;
        return;
    }
    const double value = primary->value;
    if (!m_values.empty())
        addCompensated(m_movingRangeSum, m_movingRangeCompensation, std::abs(value - m_values.back()));
    m_values.push_back(value);
    m_running.add(value, row.verdict == recording::VerdictPass);
    if (row.verdict)
        ++m_verdicts[*row.verdict];
    if (bin)
        ++m_bins[*bin];
}

LotFigures LotStatistics::figures() const
{
    LotFigures figures;
    figures.n = m_running.count();
    figures.overloads = m_overloads;
    figures.limits = m_limits;
    figures.verdicts = m_verdicts;
    figures.bins = m_bins;
    qint64 judged = 0;
    for (const auto& [verdict, count] : m_verdicts)
        judged += count;
    if (judged > 0) {
        const auto passes = m_verdicts.find(recording::VerdictPass);
        figures.yield = double(passes == m_verdicts.end() ? 0 : passes->second) / double(judged);
    }
    if (figures.n == 0)
        return figures;

    figures.mean = m_running.mean();
    figures.min = m_running.min();
    figures.max = m_running.max();
    figures.range = m_running.max() - m_running.min();
    const auto n = double(figures.n);
    if (figures.n >= 2) {
        figures.stdev = m_running.standardDeviation();
        figures.stdevPopulation = *figures.stdev * std::sqrt((n - 1) / n);
    } else {
        figures.stdevPopulation = 0;
    }
    std::vector<double> values = m_values;
    figures.median = Percentile(values, kMedian);
    figures.p05 = Percentile(values, kLowPercentile);
    figures.p95 = Percentile(values, kHighPercentile);

    const CapabilityIndices overall = Capability(m_limits, *figures.mean, figures.stdev);
    figures.pp = overall.spread;
    figures.ppk = overall.centred;
    if (figures.n >= 2) {
        const double averageMovingRange = (m_movingRangeSum + m_movingRangeCompensation) / (n - 1);
        const CapabilityIndices within = Capability(m_limits, *figures.mean, WithinSigma(averageMovingRange));
        figures.cp = within.spread;
        figures.cpk = within.centred;
    }
    return figures;
}

} // namespace bins
