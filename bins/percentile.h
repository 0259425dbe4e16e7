#pragma once
#include <optional>
#include <vector>

namespace bins {

// The percentile p (0 to 100) of the values by linear interpolation between the closest
// ranks: at the rank h = (n - 1) p / 100 of the values in ascending order, x[⌊h⌋] plus the
// fraction of h times the step to x[⌊h⌋ + 1]. This is numpy's default ("linear") and
// Python's statistics.quantiles(method="inclusive"); the 50th is the median. The rank is
// computed in integers, so a rank that is whole takes a value exactly as it is. Reorders
// the values (a selection, O(n), no full sort); none for no values.
std::optional<double> Percentile(std::vector<double>& values, int percent);

} // namespace bins
