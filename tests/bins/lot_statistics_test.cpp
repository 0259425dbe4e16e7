// Lot statistics at their edges, by hand: empty, one and two readings, no spread, one-sided
// and missing limits, a mean beyond a limit, overloads, the yield, and the JSON of it all.
#include "bin_printer.h"
#include "bins/lot_figures_json.h"
#include "bins/lot_statistics.h"
#include "bins/percentile.h"
#include "qt_printers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace bins;
using recording::VerdictCode;

namespace {

// A logged row of a resistor: its value (none: an overload) and its verdict.
recording::RowNumbers row(std::optional<double> ohm, std::optional<VerdictCode> verdict = std::nullopt)
{
    recording::RowNumbers numbers;
    numbers.values.primaryKind = meter::PrimaryParameter::Resistance;
    numbers.values.primary = recording::MeasuredValue{ohm.value_or(2e7), !ohm};
    numbers.verdict = verdict;
    return numbers;
}

LotFigures figuresOf(const std::vector<double>& values, const SpecificationLimits& limits = {})
{
    LotStatistics statistics(limits);
    for (double value : values)
        statistics.add(row(value));
    return statistics.figures();
}

// 4.7 kΩ within 1 %.
const SpecificationLimits kOnePercent{4653.0, 4747.0};

TEST(LotStatistics, EmptyLotHasCountsAndNothingElse)
{
    LotStatistics statistics(kOnePercent);
    statistics.add(row(std::nullopt, recording::VerdictPrimaryOut));
    const LotFigures figures = statistics.figures();
    EXPECT_EQ(figures.n, 0);
    EXPECT_EQ(figures.overloads, 1);
    for (const auto& figure :
         {figures.mean, figures.min, figures.max, figures.range, figures.stdev, figures.stdevPopulation, figures.median,
          figures.p05, figures.p95, figures.pp, figures.ppk, figures.cp, figures.cpk, figures.yield})
        EXPECT_FALSE(figure);
    EXPECT_TRUE(figures.verdicts.empty());
    EXPECT_EQ(figures.limits, kOnePercent);
}

TEST(LotStatistics, OneReadingHasItsValueAndNoSpread)
{
    const LotFigures figures = figuresOf({4700}, kOnePercent);
    EXPECT_EQ(figures.n, 1);
    for (const auto& figure : {figures.mean, figures.min, figures.max, figures.median, figures.p05, figures.p95})
        EXPECT_EQ(figure, 4700.0);
    EXPECT_EQ(figures.range, 0.0);
    EXPECT_FALSE(figures.stdev);
    EXPECT_EQ(figures.stdevPopulation, 0.0);
    for (const auto& index : {figures.pp, figures.ppk, figures.cp, figures.cpk})
        EXPECT_FALSE(index);
}

TEST(LotStatistics, TwoReadingsByHand)
{
    const LotFigures figures = figuresOf({4710, 4690}, kOnePercent);
    const double sigma = std::sqrt(200.0); // (10² + 10²) / (2 - 1)
    const double withinSigma = 20 / 1.128; // one moving range of 20
    EXPECT_EQ(figures.n, 2);
    EXPECT_DOUBLE_EQ(*figures.mean, 4700);
    EXPECT_EQ(figures.min, 4690.0);
    EXPECT_EQ(figures.max, 4710.0);
    EXPECT_EQ(figures.range, 20.0);
    EXPECT_DOUBLE_EQ(*figures.stdev, sigma);
    EXPECT_DOUBLE_EQ(*figures.stdevPopulation, 10);
    EXPECT_DOUBLE_EQ(*figures.median, 4700);
    EXPECT_DOUBLE_EQ(*figures.p05, 4691); // 4690 + 0.05 × 20
    EXPECT_DOUBLE_EQ(*figures.p95, 4709);
    EXPECT_DOUBLE_EQ(*figures.pp, 94 / (6 * sigma));
    EXPECT_DOUBLE_EQ(*figures.ppk, 47 / (3 * sigma));
    EXPECT_DOUBLE_EQ(*figures.cp, 94 / (6 * withinSigma));
    EXPECT_DOUBLE_EQ(*figures.cpk, 47 / (3 * withinSigma));
}

TEST(LotStatistics, NoSpreadGivesNoIndexNeverInfinity)
{
    const LotFigures figures = figuresOf({4700, 4700, 4700}, kOnePercent);
    EXPECT_EQ(figures.stdev, 0.0);
    EXPECT_EQ(figures.stdevPopulation, 0.0);
    for (const auto& index : {figures.pp, figures.ppk, figures.cp, figures.cpk})
        EXPECT_FALSE(index);
    const QJsonObject json = LotFiguresJson(figures);
    for (const char* key : {"pp", "ppk", "cp", "cpk"})
        EXPECT_TRUE(json.value(QLatin1String(key)).isNull()) << key;
}

// Spread overall but none from reading to reading: σ within is 0 only when every moving
// range is, so a lot that steps once keeps its within indices.
TEST(LotStatistics, WithinSigmaComesFromConsecutiveReadings)
{
    // Moving ranges 1 and 3 (the overload between 4701 and 4704 is skipped): MR = 2.
    LotStatistics statistics(kOnePercent);
    for (const auto& value :
         {std::optional(4700.0), std::optional(4701.0), std::optional<double>(), std::optional(4704.0)})
        statistics.add(row(value));
    const LotFigures figures = statistics.figures();
    EXPECT_EQ(figures.n, 3);
    EXPECT_EQ(figures.overloads, 1);
    const double mean = (4700.0 + 4701 + 4704) / 3;
    EXPECT_DOUBLE_EQ(*figures.cp, 94 / (6 * (2 / 1.128)));
    EXPECT_DOUBLE_EQ(*figures.cpk, (4747 - mean) / (3 * (2 / 1.128)));
}

TEST(LotStatistics, OneSidedLimitsGiveOnlyTheIndexOfTheirSide)
{
    const std::vector<double> values{4690, 4700, 4720};
    const double mean = (4690.0 + 4700 + 4720) / 3;
    struct Case {
        SpecificationLimits limits;
        double distance; // from the mean to the one limit
    };
    for (const Case& c : {Case{{4650.0, std::nullopt}, mean - 4650}, Case{{std::nullopt, 4750.0}, 4750 - mean}}) {
        const LotFigures figures = figuresOf(values, c.limits);
        EXPECT_FALSE(figures.pp);
        EXPECT_FALSE(figures.cp);
        EXPECT_DOUBLE_EQ(*figures.ppk, c.distance / (3 * *figures.stdev));
        EXPECT_DOUBLE_EQ(*figures.cpk, c.distance / (3 * ((10.0 + 20) / 2 / 1.128)));
    }
    const LotFigures unlimited = figuresOf(values);
    EXPECT_FALSE(unlimited.limits.lsl);
    EXPECT_FALSE(unlimited.limits.usl);
    for (const auto& index : {unlimited.pp, unlimited.ppk, unlimited.cp, unlimited.cpk})
        EXPECT_FALSE(index);
}

TEST(LotStatistics, AMeanBeyondALimitGivesANegativeIndex)
{
    const LotFigures figures = figuresOf({4750, 4760}, kOnePercent);
    EXPECT_LT(*figures.ppk, 0);
    EXPECT_DOUBLE_EQ(*figures.ppk, (4747 - 4755.0) / (3 * *figures.stdev));
    EXPECT_DOUBLE_EQ(*figures.cpk, (4747 - 4755.0) / (3 * (10 / 1.128)));
    EXPECT_GT(*figures.pp, 0);
}

// The yield counts the readings with a verdict; readings without one, overloads and rows
// without a primary are in neither part of it.
TEST(LotStatistics, YieldIsThePassesAmongTheJudgedReadings)
{
    LotStatistics statistics;
    statistics.add(row(4700, recording::VerdictPass), Bin{1});
    statistics.add(row(4701, recording::VerdictPass), Bin{1});
    statistics.add(row(4800, recording::VerdictPrimaryOut), Bin::Out);
    statistics.add(row(4702, recording::VerdictUnreadable), Bin{2});
    statistics.add(row(4703), Bin::Aux);
    statistics.add(row(std::nullopt, recording::VerdictPrimaryOut), Bin::Out);
    recording::RowNumbers noPrimary = row(4704, recording::VerdictPass);
    noPrimary.values.primary.reset();
    statistics.add(noPrimary, Bin::Out);

    const LotFigures figures = statistics.figures();
    EXPECT_EQ(figures.n, 5);
    EXPECT_EQ(figures.overloads, 1);
    EXPECT_DOUBLE_EQ(*figures.yield, 2.0 / 4);
    const std::map<VerdictCode, qint64> verdicts{
        {recording::VerdictPass, 2}, {recording::VerdictPrimaryOut, 1}, {recording::VerdictUnreadable, 1}};
    EXPECT_EQ(figures.verdicts, verdicts);
    const std::map<Bin, qint64> binCounts{{Bin{1}, 2}, {Bin{2}, 1}, {Bin::Aux, 1}, {Bin::Out, 1}};
    EXPECT_EQ(figures.bins, binCounts);

    const QJsonObject json = LotFiguresJson(figures);
    EXPECT_EQ(json.value(QStringLiteral("verdicts")).toObject(),
              (QJsonObject{{QStringLiteral("pass"), 2},
                           {QStringLiteral("reject-primary"), 1},
                           {QStringLiteral("unreadable"), 1}}));
    EXPECT_EQ(json.value(QStringLiteral("bins")).toObject(),
              (QJsonObject{{QStringLiteral("1"), 2},
                           {QStringLiteral("2"), 1},
                           {QStringLiteral("AUX"), 1},
                           {QStringLiteral("OUT"), 1}}));
}

// In multi-part work each part keeps statistics of its own, so the moving ranges run over
// the part's consecutive rows and never jump between parts.
TEST(LotStatistics, EachPartKeepsItsOwnMovingRanges)
{
    std::map<QString, LotStatistics> parts;
    parts.emplace(QStringLiteral("R1"), SpecificationLimits{90.0, 110.0});
    parts.emplace(QStringLiteral("R2"), SpecificationLimits{900.0, 1100.0});
    const std::pair<const char*, double> rows[] = {{"R1", 100}, {"R2", 1000}, {"R1", 101}, {"R2", 1002}, {"R1", 100}};
    for (const auto& [part, value] : rows)
        parts.at(QLatin1String(part)).add(row(value));
    EXPECT_DOUBLE_EQ(*parts.at(QStringLiteral("R1")).figures().cp, 20 / (6 * (1 / 1.128)));
    EXPECT_DOUBLE_EQ(*parts.at(QStringLiteral("R2")).figures().cp, 200 / (6 * (2 / 1.128)));
}

TEST(LotStatistics, JsonHasEveryKeyWithNullsWhereUndefined)
{
    const QJsonObject json = LotFiguresJson(figuresOf({4700}, {4653.0, std::nullopt}));
    QStringList keys = json.keys();
    keys.sort();
    QStringList expected{"n",      "overloads", "mean",     "min", "max", "range", "stdev", "stdev_population",
                         "median", "p05",       "p95",      "lsl", "usl", "pp",    "ppk",   "cp",
                         "cpk",    "yield",     "verdicts", "bins"};
    expected.sort();
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(json.value(QStringLiteral("n")).toInteger(), 1);
    EXPECT_EQ(json.value(QStringLiteral("mean")).toDouble(), 4700);
    EXPECT_EQ(json.value(QStringLiteral("lsl")).toDouble(), 4653);
    for (const char* key : {"usl", "stdev", "pp", "ppk", "cp", "cpk", "yield"})
        EXPECT_TRUE(json.value(QLatin1String(key)).isNull()) << key;
    EXPECT_EQ(json.value(QStringLiteral("stdev_population")).toDouble(), 0);
    EXPECT_TRUE(json.value(QStringLiteral("verdicts")).toObject().isEmpty());
    EXPECT_TRUE(json.value(QStringLiteral("bins")).toObject().isEmpty());
}

TEST(LotLimits, AreTheVerdictsOwnBand)
{
    // A tolerance of nullptr is a box that is off.
    const auto limitsOf = [](recording::ReferenceKind kind, int unit, const char* nominal, const char* tolerance) {
        const std::optional<QString> toleranceText =
            tolerance ? std::optional(QString::fromUtf8(tolerance)) : std::nullopt;
        return LimitsOf(recording::ReadPrimaryReference({kind, unit, QString::fromUtf8(nominal), toleranceText}));
    };
    const SpecificationLimits capacitor = limitsOf(recording::ReferenceKind::Capacitance, 1, "100", "10%");
    EXPECT_DOUBLE_EQ(*capacitor.lsl, 100e-9 / 1.1);
    EXPECT_DOUBLE_EQ(*capacitor.usl, 100e-9 / 0.9);
    EXPECT_EQ(limitsOf(recording::ReferenceKind::Resistance, 0, "1000", ">"), (SpecificationLimits{1000.0, {}}));
    EXPECT_EQ(limitsOf(recording::ReferenceKind::Resistance, 0, "1000", nullptr), SpecificationLimits{});
}

// numpy's default percentiles ("linear"), from numpy's own documentation and by hand.
TEST(Percentile, InterpolatesLinearlyBetweenClosestRanks)
{
    struct Case {
        std::vector<double> values;
        int percent;
        double expected;
    };
    const Case cases[] = {
        {{10, 7, 4, 3, 2, 1}, 50, 3.5},
        {{1, 2, 3, 4}, 5, 1.15},
        {{4, 3, 2, 1}, 95, 3.85},
        {{1, 2, 3, 4}, 0, 1},
        {{1, 2, 3, 4}, 100, 4},
        {{5, 1, 3}, 50, 3},
        {{-2, 8}, 25, 0.5},
        {{7, 7, 7, 7, 7}, 95, 7},
        {{42}, 5, 42},
    };
    for (Case c : cases) {
        EXPECT_DOUBLE_EQ(*Percentile(c.values, c.percent), c.expected) << c.percent;
    }
    std::vector<double> none;
    EXPECT_FALSE(Percentile(none, 50));
}

} // namespace
