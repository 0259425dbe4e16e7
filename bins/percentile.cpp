#include "bins/percentile.h"

#include <algorithm>

namespace bins {
namespace {

constexpr long long kWhole = 100; // percent

} // namespace

std::optional<double> Percentile(std::vector<double>& values, int percent)
{
    if (values.empty())
        return std::nullopt;
    const long long scaledRank = (static_cast<long long>(values.size()) - 1) * percent;
    const auto below = std::size_t(scaledRank / kWhole);
    const double fraction = double(scaledRank % kWhole) / double(kWhole);
    const auto at = values.begin() + std::ptrdiff_t(below);
    std::nth_element(values.begin(), at, values.end());
    if (fraction == 0)
        return *at;
    // After the selection every value behind the rank is at least as large, so the next
    // rank holds the smallest of them.
    const double next = *std::min_element(at + 1, values.end());
    return *at + fraction * (next - *at);
}

} // namespace bins
