#include "bins/lot_figures_json.h"

namespace bins {
namespace {

QJsonValue numberOrNull(const std::optional<double>& value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

} // namespace

QJsonObject LotFiguresJson(const LotFigures& figures)
{
    QJsonObject verdicts;
    for (const auto& [verdict, count] : figures.verdicts)
        verdicts.insert(recording::VerdictWord(verdict), count);
    QJsonObject binCounts;
    for (const auto& [bin, count] : figures.bins)
        binCounts.insert(BinWord(bin), count);
    return {
        {QStringLiteral("n"), figures.n},
        {QStringLiteral("overloads"), figures.overloads},
        {QStringLiteral("mean"), numberOrNull(figures.mean)},
        {QStringLiteral("min"), numberOrNull(figures.min)},
        {QStringLiteral("max"), numberOrNull(figures.max)},
        {QStringLiteral("range"), numberOrNull(figures.range)},
        {QStringLiteral("stdev"), numberOrNull(figures.stdev)},
        {QStringLiteral("stdev_population"), numberOrNull(figures.stdevPopulation)},
        {QStringLiteral("median"), numberOrNull(figures.median)},
        {QStringLiteral("p05"), numberOrNull(figures.p05)},
        {QStringLiteral("p95"), numberOrNull(figures.p95)},
        {QStringLiteral("lsl"), numberOrNull(figures.limits.lsl)},
        {QStringLiteral("usl"), numberOrNull(figures.limits.usl)},
        {QStringLiteral("pp"), numberOrNull(figures.pp)},
        {QStringLiteral("ppk"), numberOrNull(figures.ppk)},
        {QStringLiteral("cp"), numberOrNull(figures.cp)},
        {QStringLiteral("cpk"), numberOrNull(figures.cpk)},
        {QStringLiteral("yield"), numberOrNull(figures.yield)},
        {QStringLiteral("verdicts"), verdicts},
        {QStringLiteral("bins"), binCounts},
    };
}

} // namespace bins
