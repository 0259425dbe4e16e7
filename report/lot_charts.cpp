#include "report/lot_charts.h"

#include "trend/trend_decimation.h"
#include "trend/trend_value_format.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace report {
namespace {

constexpr double kWidth = 720;
constexpr double kHeight = 260;
constexpr double kLeft = 80;
constexpr double kRight = 20;
constexpr double kTop = 16;
constexpr double kBottom = 40;
constexpr double kPlotWidth = kWidth - kLeft - kRight;
constexpr double kPlotHeight = kHeight - kTop - kBottom;
constexpr double kBelowAxis = 14; // from the axis to the baseline of its labels
constexpr double kLabelRise = 4;  // from a label's baseline to the line it names
constexpr int kFewestBars = 5;
constexpr int kMostBars = 60;
constexpr double kMargin = 0.04; // of the value span, on either side of what is drawn

using Anchor = Figure::Label::Anchor;

QString metric(double value, const QString& unit)
{
    return trend::formatMetric(value, unit, QLocale::c());
}

// The span the axis shows: the values, the limits and the nominal, with a little room.
struct Span {
    double low = 0, high = 1;
    double x(double value) const { return kLeft + (value - low) / (high - low) * kPlotWidth; }
    double y(double value) const { return kTop + kPlotHeight - (value - low) / (high - low) * kPlotHeight; }
};

Span spanOf(const std::vector<double>& values, const ValueMarks& marks)
{
    std::vector<double> ends;
    if (!values.empty()) {
        const auto [least, most] = std::minmax_element(values.begin(), values.end());
        ends = {*least, *most};
    }
    for (const auto& mark : {marks.nominal, marks.limits.lsl, marks.limits.usl}) {
        if (mark)
            ends.push_back(*mark);
    }
    if (ends.empty())
        return {};
    const auto [least, most] = std::minmax_element(ends.begin(), ends.end());
    double low = *least, high = *most;
    const double room = high > low ? (high - low) * kMargin : std::max(std::abs(low) * kMargin, 1e-12);
    return {low - room, high + room};
}

Figure frame(const QString& title)
{
    Figure figure;
    figure.title = title;
    figure.width = kWidth;
    figure.height = kHeight;
    figure.steps.emplace_back(
        Figure::Line{{kLeft, kTop + kPlotHeight}, {kLeft + kPlotWidth, kTop + kPlotHeight}, kAxisColour});
    figure.steps.emplace_back(Figure::Line{{kLeft, kTop}, {kLeft, kTop + kPlotHeight}, kAxisColour});
    return figure;
}

// The limits and the nominal across the value axis: vertical on the histogram, horizontal
// on the run chart, each named at its end.
void addMarks(Figure& figure, const ValueMarks& marks, const Span& span, bool vertical)
{
    struct Mark {
        std::optional<double> value;
        const char* name;
        QColor colour;
        bool dashed;
    };
    for (const Mark& mark :
         {Mark{marks.limits.lsl, "LSL", kLimitColour, true}, Mark{marks.limits.usl, "USL", kLimitColour, true},
          Mark{marks.nominal, "nominal", kNominalColour, false}}) {
        if (!mark.value)
            continue;
        const QString text = QLatin1String(mark.name) + u' ' + metric(*mark.value, marks.unit);
        if (vertical) {
            const double x = span.x(*mark.value);
            figure.steps.emplace_back(Figure::Line{{x, kTop}, {x, kTop + kPlotHeight}, mark.colour, mark.dashed});
            figure.steps.emplace_back(Figure::Label{{x, kTop - kLabelRise}, text, Anchor::Middle, mark.colour});
        } else {
            const double y = span.y(*mark.value);
            figure.steps.emplace_back(Figure::Line{{kLeft, y}, {kLeft + kPlotWidth, y}, mark.colour, mark.dashed});
            figure.steps.emplace_back(
                Figure::Label{{kLeft + kPlotWidth, y - kLabelRise}, text, Anchor::End, mark.colour});
        }
    }
}

} // namespace

Figure HistogramFigure(const std::vector<double>& values, const ValueMarks& marks)
{
    Figure figure = frame(QStringLiteral("Histogram of the primary value"));
    const Span span = spanOf(values, marks);
    const int bars = std::clamp(int(std::sqrt(double(values.size()))), kFewestBars, kMostBars);
    std::vector<qint64> counts(std::size_t(bars), 0);
    const double barSpan = (span.high - span.low) / bars;
    for (const double value : values)
        ++counts[std::size_t(std::clamp(int((value - span.low) / barSpan), 0, bars - 1))];
    const qint64 tallest = std::max<qint64>(1, *std::max_element(counts.begin(), counts.end()));
    const double barWidth = kPlotWidth / bars;
    for (int bar = 0; bar < bars; ++bar) {
        const double height = double(counts[std::size_t(bar)]) / double(tallest) * kPlotHeight;
        if (height > 0)
            figure.steps.emplace_back(Figure::Box{
                QRectF(kLeft + bar * barWidth, kTop + kPlotHeight - height, barWidth * 0.9, height), kHistogramColour});
    }
    figure.steps.emplace_back(
        Figure::Label{{kLeft, kTop + kPlotHeight + kBelowAxis}, metric(span.low, marks.unit), Anchor::Start});
    figure.steps.emplace_back(Figure::Label{
        {kLeft + kPlotWidth, kTop + kPlotHeight + kBelowAxis}, metric(span.high, marks.unit), Anchor::End});
    figure.steps.emplace_back(
        Figure::Label{{kLeft - kLabelRise, kTop + kLabelRise * 2}, QString::number(tallest), Anchor::End});
    figure.steps.emplace_back(
        Figure::Label{{kLeft - kLabelRise, kTop + kPlotHeight}, QStringLiteral("0"), Anchor::End});
    addMarks(figure, marks, span, true);
    return figure;
}

Figure RunChartFigure(const std::vector<double>& values, const ValueMarks& marks)
{
    Figure figure = frame(QStringLiteral("Run chart of the primary value"));
    const Span span = spanOf(values, marks);
    if (!values.empty()) {
        // The reading's place stands for its time: the chart shows order, not the pauses.
        std::vector<trend::TrendPoint> points;
        points.reserve(values.size());
        for (std::size_t index = 0; index < values.size(); ++index)
            points.push_back({qint64(index), values[index], false});
        const qint64 last = std::max<qint64>(1, qint64(values.size()) - 1);
        const trend::DecimatedTrend drawn = trend::decimate(points, 0, last, int(kPlotWidth));
        Figure::Polyline line{{}, kRunColour};
        line.points.reserve(drawn.values.size());
        for (const QPointF& point : drawn.values)
            line.points.append({kLeft + point.x() / double(last) * kPlotWidth, span.y(point.y())});
        figure.steps.emplace_back(std::move(line));
    }
    figure.steps.emplace_back(
        Figure::Label{{kLeft - kLabelRise, kTop + kLabelRise * 2}, metric(span.high, marks.unit), Anchor::End});
    figure.steps.emplace_back(
        Figure::Label{{kLeft - kLabelRise, kTop + kPlotHeight}, metric(span.low, marks.unit), Anchor::End});
    figure.steps.emplace_back(
        Figure::Label{{kLeft, kTop + kPlotHeight + kBelowAxis}, QStringLiteral("1"), Anchor::Start});
    figure.steps.emplace_back(Figure::Label{{kLeft + kPlotWidth, kTop + kPlotHeight + kBelowAxis},
                                            QStringLiteral("reading %1").arg(values.size()),
                                            Anchor::End});
    addMarks(figure, marks, span, false);
    return figure;
}

Figure BinCountFigure(const std::map<bins::Bin, qint64>& counts)
{
    Figure figure = frame(QStringLiteral("Readings per bin"));
    if (counts.empty())
        return figure;
    qint64 most = 1;
    for (const auto& [bin, count] : counts)
        most = std::max(most, count);
    const double slot = kPlotWidth / double(counts.size());
    int index = 0;
    for (const auto& [bin, count] : counts) {
        const double height = double(count) / double(most) * kPlotHeight;
        const double left = kLeft + index * slot;
        figure.steps.emplace_back(
            Figure::Box{QRectF(left + slot * 0.1, kTop + kPlotHeight - height, slot * 0.8, height), kBinColour});
        figure.steps.emplace_back(
            Figure::Label{{left + slot / 2, kTop + kPlotHeight + kBelowAxis}, bins::BinWord(bin), Anchor::Middle});
        figure.steps.emplace_back(Figure::Label{
            {left + slot / 2, kTop + kPlotHeight - height - kLabelRise}, QString::number(count), Anchor::Middle});
        ++index;
    }
    return figure;
}

} // namespace report
