#pragma once
#include "bins/lot_statistics.h"
#include "report/figure.h"

#include <map>
#include <optional>
#include <vector>

namespace report {

// What a chart of a part's primary values marks besides the values.
struct ValueMarks {
    QString unit;
    std::optional<double> nominal;
    bins::SpecificationLimits limits;
};

// The histogram of the values, its range wide enough for the limits and the nominal, which
// are drawn as lines across it. The values are counted once, so a lot of any size makes the
// same few bars.
Figure HistogramFigure(const std::vector<double>& values, const ValueMarks& marks);
// The values in the order they were taken, with the limits and the nominal. A long run is
// decimated as the trend chart is (the lowest and highest value of each pixel column), so
// the chart keeps every spike and stays a few thousand points however long the lot.
Figure RunChartFigure(const std::vector<double>& values, const ValueMarks& marks);
// The count of each bin readings went to, as bars.
Figure BinCountFigure(const std::map<bins::Bin, qint64>& counts);

} // namespace report
