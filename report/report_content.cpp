#include "report/report_content.h"

#include "report/lot_charts.h"
#include "rlc_version.h"
#include "trend/trend_value_format.h"

#include <QLocale>

namespace report {
namespace {

constexpr int kIndexDecimals = 3;
constexpr int kYieldDecimals = 2;

QString metric(const std::optional<double>& value, const QString& unit)
{
    return value ? trend::formatMetric(*value, unit, QLocale::c()) : kUndefined;
}

QString index(const std::optional<double>& value)
{
    return value ? QString::number(*value, 'f', kIndexDecimals) : kUndefined;
}

QString orUndefined(const QString& text)
{
    return text.isEmpty() ? kUndefined : text;
}

QString timeText(const QDateTime& time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs) : kUndefined;
}

QString modeWord(bins::RangeMode mode)
{
    switch (mode) {
    case bins::RangeMode::Percent: return QStringLiteral("%");
    case bins::RangeMode::Deviation: return QStringLiteral("dev");
    case bins::RangeMode::Absolute: break;
    }
    return QStringLiteral("abs");
}

QString optionalNumber(const std::optional<double>& number)
{
    return number ? recording::NumberText(*number) : QString();
}

Table binTableOf(const bins::BinTable& table)
{
    Table shown{{QStringLiteral("bin"), QStringLiteral("mode"), QStringLiteral("low"), QStringLiteral("high"),
                 QStringLiteral("secondary low"), QStringLiteral("secondary high")},
                {}};
    for (const bins::BinRange& bin : table.bins)
        shown.rows.append({QString::number(bin.number), modeWord(bin.mode), recording::NumberText(bin.low),
                           recording::NumberText(bin.high), optionalNumber(bin.secondaryLow),
                           optionalNumber(bin.secondaryHigh)});
    shown.rows.append({QStringLiteral("AUX"), table.aux ? QStringLiteral("on") : QStringLiteral("off")});
    return shown;
}

Table statisticsOf(const bins::LotFigures& figures, const QString& unit)
{
    const QString yield =
        figures.yield ? QString::number(*figures.yield * 100, 'f', kYieldDecimals) + QStringLiteral(" %") : kUndefined;
    Table table{{QStringLiteral("figure"), QStringLiteral("value")},
                {
                    {QStringLiteral("n (readings counted)"), QString::number(figures.n)},
                    {QStringLiteral("overloads (not counted)"), QString::number(figures.overloads)},
                    {QStringLiteral("mean"), metric(figures.mean, unit)},
                    {QStringLiteral("min"), metric(figures.min, unit)},
                    {QStringLiteral("max"), metric(figures.max, unit)},
                    {QStringLiteral("range"), metric(figures.range, unit)},
                    {QStringLiteral("\u03C3, sample (n \u2212 1)"), metric(figures.stdev, unit)},
                    {QStringLiteral("\u03C3, population (n)"), metric(figures.stdevPopulation, unit)},
                    {QStringLiteral("median"), metric(figures.median, unit)},
                    {QStringLiteral("5th percentile"), metric(figures.p05, unit)},
                    {QStringLiteral("95th percentile"), metric(figures.p95, unit)},
                    {QStringLiteral("LSL"), metric(figures.limits.lsl, unit)},
                    {QStringLiteral("USL"), metric(figures.limits.usl, unit)},
                    {QStringLiteral("Pp (overall \u03C3)"), index(figures.pp)},
                    {QStringLiteral("Ppk (overall \u03C3)"), index(figures.ppk)},
                    {QStringLiteral("Cp (within \u03C3, moving range / 1.128)"), index(figures.cp)},
                    {QStringLiteral("Cpk (within \u03C3, moving range / 1.128)"), index(figures.cpk)},
                    {QStringLiteral("yield"), yield},
                }};
    for (const auto& [verdict, count] : figures.verdicts)
        table.rows.append({QStringLiteral("verdict ") + recording::VerdictWord(verdict), QString::number(count)});
    for (const auto& [bin, count] : figures.bins)
        table.rows.append({QStringLiteral("bin ") + bins::BinWord(bin), QString::number(count)});
    return table;
}

Table rejectsOf(const PartLot& part)
{
    Table table{{QStringLiteral("reading"), QStringLiteral("taken at (UTC)"), QStringLiteral("primary value"),
                 QStringLiteral("verdict")},
                {}};
    for (const RejectedReading& reject : part.listedRejects())
        table.rows.append({QString::number(reject.number), timeText(reject.takenAt),
                           reject.value ? metric(reject.value, part.unit()) : QStringLiteral("overload"),
                           recording::VerdictWord(reject.verdict)});
    return table;
}

QString rejectsNote(const PartLot& part)
{
    const qint64 unlisted = part.rejects() - qint64(part.listedRejects().size());
    QString note = QStringLiteral("%1 readings not judged pass.").arg(part.rejects());
    if (unlisted > 0)
        note +=
            QStringLiteral(" The first %1 are listed; %2 more are not.").arg(part.listedRejects().size()).arg(unlisted);
    return note;
}

PartReport partReportOf(const PartLot& part)
{
    PartReport shown;
    const QString number = part.number() ? QString::number(*part.number()) : kUndefined;
    shown.heading = QStringLiteral("Part %1 %2").arg(number, part.name().isEmpty() ? QString() : part.name()).trimmed();
    shown.part = {
        {QStringLiteral("part"), orUndefined(part.name())},
        {QStringLiteral("number in the profile"), number},
        {QStringLiteral("nominal"), metric(part.nominal(), part.unit())},
        {QStringLiteral("lower limit (LSL)"), metric(part.limits().lsl, part.unit())},
        {QStringLiteral("upper limit (USL)"), metric(part.limits().usl, part.unit())},
        {QStringLiteral("first reading"), timeText(part.firstTaken())},
        {QStringLiteral("last reading"), timeText(part.lastTaken())},
        {QStringLiteral("readings"), QString::number(part.readings())},
    };
    if (part.binTable())
        shown.binTable = binTableOf(*part.binTable());
    const bins::LotFigures figures = part.figures();
    shown.statistics = statisticsOf(figures, part.unit());
    const ValueMarks marks{part.unit(), part.nominal(), part.limits()};
    shown.histogram = HistogramFigure(part.values(), marks);
    shown.runChart = RunChartFigure(part.values(), marks);
    if (!figures.bins.empty())
        shown.binCounts = BinCountFigure(figures.bins);
    shown.rejects = rejectsOf(part);
    shown.rejectsNote = rejectsNote(part);
    return shown;
}

} // namespace

ReportContent ContentOf(const Lot& lot)
{
    const LotOrigin& origin = lot.origin();
    ReportContent content;
    content.title =
        origin.lot.isEmpty() ? QStringLiteral("Lot report") : QStringLiteral("Lot report: %1").arg(origin.lot);
    QDateTime first, last;
    for (const PartLot& part : lot.parts()) {
        first = first.isValid() ? std::min(first, part.firstTaken()) : part.firstTaken();
        last = last.isValid() ? std::max(last, part.lastTaken()) : part.lastTaken();
    }
    content.origin = {
        {QStringLiteral("lot"), orUndefined(origin.lot)},
        {QStringLiteral("source"), origin.source},
        {QStringLiteral("station"), orUndefined(origin.station)},
        {QStringLiteral("operator"), orUndefined(origin.operatorName)},
        {QStringLiteral("first reading"), timeText(first)},
        {QStringLiteral("last reading"), timeText(last)},
        {QStringLiteral("recorded with"), orUndefined(origin.softwareVersion)},
        {QStringLiteral("report made with"), QStringLiteral("rlc-report " RLC_VERSION)},
    };
    for (const PartLot& part : lot.parts())
        content.parts.push_back(partReportOf(part));
    return content;
}

} // namespace report
