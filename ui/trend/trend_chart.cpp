#include "ui/trend/trend_chart.h"

#include "trend/trend_decimation.h"
#include "trend/trend_value_format.h"

#include <QAreaSeries>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace trend {
namespace {

// The design text; the window gives the interface language's one.
const QString TimeAxisTitle = QStringLiteral("Время");
const QColor ValueColour(31, 95, 191);
const QColor BandColour(144, 238, 144, 120);
const QColor LimitColour(46, 139, 87);
const QColor NominalColour(0, 100, 0);
const QColor RejectColour(220, 0, 0);

// A fresh recording starts at the left edge and grows to the right instead of filling the
// width with its first two points.
constexpr qint64 ShortestTimeSpanMs = 10'000;
constexpr qint64 OneDayMs = 24 * 3600 * 1000;
constexpr double ValueMarginFraction = 0.08;
constexpr double ValueAxisTickSteps = 6;

// The step of 1, 2 or 5 times a power of ten next above `roughStep`, so that the value
// axis is labelled with round numbers.
double niceStep(double roughStep)
{
    const double power = std::pow(10, std::floor(std::log10(roughStep)));
    for (double multiple : {1.0, 2.0, 5.0}) {
        if (multiple * power >= roughStep)
            return multiple * power;
    }
    return 10 * power;
}

QLineSeries* addLine(QChart* chart, const QString& objectName, const QPen& pen)
{
    auto* line = new QLineSeries(chart);
    line->setObjectName(objectName);
    line->setPen(pen);
    chart->addSeries(line);
    return line;
}

QPen pen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(colour, width, style);
    pen.setCosmetic(true);
    return pen;
}

QList<QPointF> horizontal(double y, qint64 fromMs, qint64 toMs)
{
    return {QPointF(double(fromMs), y), QPointF(double(toMs), y)};
}

void scaleValues(QList<QPointF>& points, double factor)
{
    for (QPointF& point : points)
        point.setY(point.y() / factor);
}

void styleAxis(QAbstractAxis* axis)
{
    QFont labels = axis->labelsFont();
    labels.setPointSize(10);
    axis->setLabelsFont(labels);
    QFont title = axis->titleFont();
    title.setPointSize(10);
    title.setBold(true);
    axis->setTitleFont(title);
    axis->setGridLineColor(QColor(225, 225, 225));
}

} // namespace

TrendChart::TrendChart() :
    m_timeAxis(new QDateTimeAxis(this)), m_valueAxis(new QValueAxis(this)), m_bandUpper(new QLineSeries(this)),
    m_bandLower(new QLineSeries(this))
{
    setLocalizeNumbers(true);
    setAnimationOptions(NoAnimation);
    setBackgroundRoundness(0);
    setMargins(QMargins(4, 8, 12, 4));
    legend()->hide();

    m_timeAxis->setTitleText(TimeAxisTitle);
    m_timeAxis->setTickCount(7);
    m_valueAxis->setTickType(QValueAxis::TicksDynamic);
    m_valueAxis->setTickAnchor(0);
    addAxis(m_timeAxis, Qt::AlignBottom);
    addAxis(m_valueAxis, Qt::AlignLeft);
    styleAxis(m_timeAxis);
    styleAxis(m_valueAxis);

    // Added back to front: the band lies under the limits, the values and their marks on top.
    m_band = new QAreaSeries(m_bandUpper, m_bandLower);
    m_band->setObjectName("TrendBand");
    m_band->setBrush(BandColour);
    m_band->setPen(Qt::NoPen);
    addSeries(m_band);
    m_lowerLimit = addLine(this, "TrendLowerLimit", pen(LimitColour, 1.2, Qt::DashLine));
    m_upperLimit = addLine(this, "TrendUpperLimit", pen(LimitColour, 1.2, Qt::DashLine));
    m_nominal = addLine(this, "TrendNominal", pen(NominalColour, 1.5));
    m_values = addLine(this, "TrendValues", pen(ValueColour, 1.5));
    m_rejects = new QScatterSeries(this);
    m_rejects->setObjectName("TrendRejects");
    m_rejects->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    m_rejects->setMarkerSize(8);
    m_rejects->setColor(RejectColour);
    m_rejects->setBorderColor(RejectColour.darker(130));
    addSeries(m_rejects);

    for (QAbstractSeries* each : series()) {
        each->attachAxis(m_timeAxis);
        each->attachAxis(m_valueAxis);
    }
}

void TrendChart::setQuantity(const QString& name, const QString& unit)
{
    m_quantity = name;
    m_unit = unit;
}

void TrendChart::draw(const TrendSeries& series, const std::optional<Reference>& reference, int columns)
{
    const TimeSpan span = axisSpan(series);
    m_timeAxis->setFormat(span.toMs - span.fromMs > OneDayMs ? "dd.MM hh:mm" : "hh:mm:ss");
    m_timeAxis->setRange(QDateTime::fromMSecsSinceEpoch(span.fromMs), QDateTime::fromMSecsSinceEpoch(span.toMs));

    const recording::RunningStatistics& statistics = series.statistics();
    double magnitude = std::max(std::abs(statistics.min()), std::abs(statistics.max()));
    if (reference)
        magnitude = std::max(magnitude, std::abs(reference->nominal));
    const MetricScale scale = metricScaleFor(magnitude);

    DecimatedTrend drawn = decimate(series.points(), span.fromMs, span.toMs, columns);
    scaleValues(drawn.values, scale.factor);
    scaleValues(drawn.rejects, scale.factor);
    m_values->replace(drawn.values);
    m_rejects->replace(drawn.rejects);
    drawReference(reference, span, scale.factor);

    const QString unit = scale.prefix + m_unit;
    m_valueAxis->setTitleText(unit.isEmpty() ? m_quantity : m_quantity + ", " + unit);
    fitValueAxis(series, reference, scale.factor);
}

TrendChart::TimeSpan TrendChart::axisSpan(const TrendSeries& series) const
{
    const qint64 from = series.isEmpty() ? QDateTime::currentMSecsSinceEpoch() : series.earliestTimeMs();
    return {from, std::max(series.latestTimeMs(), from + ShortestTimeSpanMs)};
}

void TrendChart::drawReference(const std::optional<Reference>& reference, TimeSpan span, double factor)
{
    const auto drawLine = [&](QLineSeries* line, std::optional<double> value) {
        line->setVisible(value.has_value());
        line->replace(value ? horizontal(*value / factor, span.fromMs, span.toMs) : QList<QPointF>());
    };
    drawLine(m_nominal, reference ? std::optional(reference->nominal) : std::nullopt);
    drawLine(m_lowerLimit, reference ? reference->lower : std::nullopt);
    drawLine(m_upperLimit, reference ? reference->upper : std::nullopt);

    const bool band = reference && reference->lower && reference->upper;
    m_band->setVisible(band);
    m_bandLower->replace(band ? horizontal(*reference->lower / factor, span.fromMs, span.toMs) : QList<QPointF>());
    m_bandUpper->replace(band ? horizontal(*reference->upper / factor, span.fromMs, span.toMs) : QList<QPointF>());
}

void TrendChart::fitValueAxis(const TrendSeries& series, const std::optional<Reference>& reference, double factor)
{
    std::vector<double> shown;
    if (!series.isEmpty())
        shown = {series.statistics().min(), series.statistics().max()};
    if (reference) {
        shown.push_back(reference->nominal);
        for (const std::optional<double>& limit : {reference->lower, reference->upper}) {
            if (limit)
                shown.push_back(*limit);
        }
    }
    if (shown.empty())
        shown = {0, 1};
    const auto [low, high] = std::minmax_element(shown.begin(), shown.end());
    double margin = (*high - *low) * ValueMarginFraction;
    if (margin == 0)
        margin = *low == 0 ? factor : std::abs(*low) * 0.01;
    const double from = (*low - margin) / factor;
    const double to = (*high + margin) / factor;
    const double step = niceStep((to - from) / ValueAxisTickSteps);
    m_valueAxis->setTickInterval(step);
    m_valueAxis->setLabelFormat(QString("%.%1f").arg(std::max(0, -int(std::floor(std::log10(step))))));
    m_valueAxis->setRange(std::floor(from / step) * step, std::ceil(to / step) * step);
}

void TrendChart::setTimeAxisTitle(const QString& title)
{
    m_timeAxis->setTitleText(title);
}

} // namespace trend
