#include "number_filter.h"
#include "primary_band.h"
#include "tolerance.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace recording;

namespace {

const QString Off = QStringLiteral("выкл.");

// Both boxes off, R 1000 Ом series, Q 50; each case switches on what it needs.
ToleranceInputs baseInputs()
{
    ToleranceInputs in;
    in.primaryNominalText = QStringLiteral("1000");
    in.primaryToleranceText = Off;
    in.primaryOffText = Off;
    in.secondaryNominalText = QStringLiteral("50");
    in.secondaryToleranceText = Off;
    in.secondaryOffText = Off;
    in.secondaryKind = 1;
    in.serR = 1000;
    in.serX = 50000;
    in.parR = 1000;
    in.parX = 50000;
    in.testFreqHz = 1000;
    in.serPer = 1;
    return in;
}

constexpr double Untouched = -777; // deviations start here, so a kept value shows

struct ToleranceCase {
    const char* name;
    std::function<void(ToleranceInputs&)> setUp;
    int verdict;
    std::optional<double> primaryDeviation;   // nullopt: must stay Untouched
    std::optional<double> secondaryDeviation; // nullopt: must stay Untouched
};

class ToleranceEvaluation : public testing::TestWithParam<ToleranceCase> {};

TEST_P(ToleranceEvaluation, GivesVerdictAndDeviations)
{
    const ToleranceCase& c = GetParam();
    ToleranceInputs in = baseInputs();
    c.setUp(in);
    Deviations deviations{Untouched, Untouched};

    EXPECT_EQ(EvaluateTolerance(in, deviations), c.verdict);
    EXPECT_NEAR(deviations.primary, c.primaryDeviation.value_or(Untouched), 0.005);
    EXPECT_NEAR(deviations.secondary, c.secondaryDeviation.value_or(Untouched), 0.005);
}

INSTANTIATE_TEST_SUITE_P(Cases, ToleranceEvaluation, testing::Values(
    ToleranceCase{"BothOffPassAndKeepOldDeviations", [](ToleranceInputs&) {}, 0, {}, {}},
    ToleranceCase{"SeriesResistanceOutside", [](ToleranceInputs& in) {
        in.primaryToleranceText = "1%"; in.serR = 1012; }, 1, 1.2, {}},
    ToleranceCase{"SeriesResistanceWithin", [](ToleranceInputs& in) {
        in.primaryToleranceText = "1%"; in.serR = 1009; }, 0, 0.9, {}},
    ToleranceCase{"ParallelResistanceBelowNominalFailsGreaterThan", [](ToleranceInputs& in) {
        in.primaryNominalText = "10"; in.primaryUnitIndex = 1; in.primaryToleranceText = ">";
        in.serPer = 0; in.parR = 9990; }, 1, -0.1, {}},
    ToleranceCase{"ParallelResistanceBelowNominalPassesLessThan", [](ToleranceInputs& in) {
        in.primaryNominalText = "10"; in.primaryUnitIndex = 1; in.primaryToleranceText = "<";
        in.serPer = 0; in.parR = 9990; }, 0, -0.1, {}},
    ToleranceCase{"SeriesInductanceFromReactance", [](ToleranceInputs& in) {
        in.primaryKind = 1; in.primaryNominalText = "100"; in.primaryToleranceText = "1%";
        in.serX = 0.6346; }, 0, 0.9997, {}},
    ToleranceCase{"ParallelInductanceUsesParallelReactance", [](ToleranceInputs& in) {
        in.primaryKind = 1; in.primaryNominalText = "100"; in.primaryToleranceText = "0,5%";
        in.serPer = 0; in.parX = 0.6346; }, 1, 0.9997, {}},
    ToleranceCase{"CapacitanceAboveNominalFailsLessThan", [](ToleranceInputs& in) {
        in.primaryKind = 2; in.primaryNominalText = "100"; in.primaryUnitIndex = 1;
        in.primaryToleranceText = "<"; in.serX = 1575.8; }, 1, 0.9896, {}},
    ToleranceCase{"CapacitanceAboveNominalPassesGreaterThan", [](ToleranceInputs& in) {
        in.primaryKind = 2; in.primaryNominalText = "100"; in.primaryUnitIndex = 1;
        in.primaryToleranceText = ">"; in.serPer = 0; in.parX = 1575.8; }, 0, 0.9896, {}},
    ToleranceCase{"NominalZeroIsUnreadableAndWritesNoDeviation", [](ToleranceInputs& in) {
        in.primaryNominalText = "0"; in.primaryToleranceText = "1%"; }, 20, {}, {}},
    ToleranceCase{"CapacitanceNominalZeroIsUnreadable", [](ToleranceInputs& in) {
        in.primaryKind = 2; in.primaryNominalText = "0"; in.primaryToleranceText = "1%"; }, 20, {}, {}},
    ToleranceCase{"NominalNotANumber", [](ToleranceInputs& in) {
        in.primaryNominalText = "1k"; in.primaryToleranceText = "1%"; }, 20, {}, {}},
    ToleranceCase{"ToleranceNotANumberAfterDeviationWasComputed", [](ToleranceInputs& in) {
        in.primaryToleranceText = "1,2,3%"; in.serR = 1012; }, 20, 1.2, {}},
    ToleranceCase{"PrimaryPercentAloneSkipsSecondary", [](ToleranceInputs& in) {
        in.primaryToleranceText = "%"; in.secondaryToleranceText = "10%"; }, 20, 0, {}},
    ToleranceCase{"SecondaryPercentAloneReplacesPrimaryVerdict", [](ToleranceInputs& in) {
        in.primaryToleranceText = "1%"; in.serR = 1012; in.secondaryToleranceText = "%"; }, 2, 1.2, -1.18577},
    ToleranceCase{"QualityFactorOutside", [](ToleranceInputs& in) {
        in.secondaryToleranceText = "10%"; in.serX = 56000; }, 2, {}, 12},
    ToleranceCase{"BothOutside", [](ToleranceInputs& in) {
        in.primaryToleranceText = "1%"; in.serR = 1012;
        in.secondaryToleranceText = "10%"; in.serX = 56000 * 1.012; }, 3, 1.2, 12},
    ToleranceCase{"DissipationFactorFromSeriesValuesEvenInParallel", [](ToleranceInputs& in) {
        in.serPer = 0; in.secondaryKind = 2; in.secondaryNominalText = "0.02";
        in.secondaryToleranceText = "5%"; in.serX = 50000; }, 0, {}, 0},
    ToleranceCase{"QualityFactorOfZeroResistanceIsUnreadable", [](ToleranceInputs& in) {
        in.secondaryToleranceText = "10%"; in.serR = 0; }, 20, {}, {}},
    ToleranceCase{"SecondaryResistanceWithUnit", [](ToleranceInputs& in) {
        in.secondaryKind = 0; in.secondaryNominalText = "1"; in.secondaryUnitIndex = 1;
        in.secondaryToleranceText = "<"; in.serR = 1001; }, 2, {}, 0.1},
    ToleranceCase{"OffTextOfAnotherLanguageIsATolerance", [](ToleranceInputs& in) {
        in.primaryOffText = "off"; }, 20, 0, {}}),
    [](const testing::TestParamInfo<ToleranceCase>& test) { return std::string(test.param.name); });

// The designed items "0,2%", "0,3%", "0,5%" and nominals typed with either separator
// must read the same whatever the system's separator is.
TEST(ToleranceDecimalSeparators, CommaAndPointReadTheSame)
{
    for (const char* nominal : {"1000,0", "1000.0", " 1000 "}) {
        for (const char* tolerance : {"0,2%", "0.2%", "0,2"}) {
            ToleranceInputs in = baseInputs();
            in.primaryNominalText = nominal;
            in.primaryToleranceText = tolerance;
            Deviations deviations;
            in.serR = 1001.9;
            EXPECT_EQ(EvaluateTolerance(in, deviations), 0) << nominal << " " << tolerance;
            in.serR = 1002.1;
            EXPECT_EQ(EvaluateTolerance(in, deviations), 1) << nominal << " " << tolerance;
        }
    }
}

struct FilterCase {
    const char* typed;
    int caret;
    char16_t separator;
    bool toleranceBox;
    const char* kept;
    int keptCaret;
};

class NumberFilter : public testing::TestWithParam<FilterCase> {};

TEST_P(NumberFilter, KeepsDigitsAndOneSeparator)
{
    const FilterCase& c = GetParam();
    const FilteredText result = FilterNumberText(QString::fromUtf8(c.typed), c.caret, QChar(c.separator), c.toleranceBox);
    EXPECT_EQ(result.text, QString::fromUtf8(c.kept));
    EXPECT_EQ(result.caret, c.keptCaret);
}

INSTANTIATE_TEST_SUITE_P(Cases, NumberFilter, testing::Values(
    FilterCase{"12a,5,3", 7, u',', false, "12,53", 5},
    FilterCase{",5", 1, u',', false, "5", 1},
    FilterCase{"1.5", 3, u',', false, "15", 2},         // only the system's separator stays
    FilterCase{"1.5", 2, u'.', false, "1.5", 2},
    FilterCase{"7", 1, u',', true, "7%", 1},
    FilterCase{"12,5%%", 6, u',', true, "12,5%", 5},
    FilterCase{"abc", 3, u'.', false, "", 0}));

} // namespace

// The band drawn beside the readings must agree with the verdict at its edges.
TEST(PrimaryToleranceBand, LimitsMatchTheEvaluation)
{
    struct Case {
        int kind, unit;
        const char* nominal;
        const char* tolerance;
        std::optional<double> lower, upper;
    };
    const Case cases[] = {
        {0, 1, "10", "1%", 9900.0, 10100.0},
        {1, 0, "100", "5%", 95e-6, 105e-6},
        {2, 1, "100", "10%", 100e-9 / 1.1, 100e-9 / 0.9},
        {0, 0, "1000", ">", 1000.0, std::nullopt},
        {2, 2, "4,7", "<", std::nullopt, 4.7e-6},
    };
    for (const Case& c : cases) {
        const auto band = PrimaryToleranceBand(c.kind, c.unit, QString::fromUtf8(c.nominal),
                                               QString::fromUtf8(c.tolerance), QStringLiteral("выкл."));
        ASSERT_TRUE(band) << c.nominal << " " << c.tolerance;
        ASSERT_EQ(band->lower.has_value(), c.lower.has_value());
        ASSERT_EQ(band->upper.has_value(), c.upper.has_value());
        if (c.lower) {
            EXPECT_NEAR(*band->lower, *c.lower, *c.lower * 1e-12);
        }
        if (c.upper) {
            EXPECT_NEAR(*band->upper, *c.upper, *c.upper * 1e-12);
        }
    }
    EXPECT_FALSE(PrimaryToleranceBand(0, 0, QStringLiteral("100"), QStringLiteral("выкл."), QStringLiteral("выкл.")));
    EXPECT_FALSE(PrimaryToleranceBand(0, 0, QStringLiteral("abc"), QStringLiteral("1%"), QStringLiteral("выкл.")));

    // A capacitor exactly at the upper limit passes the evaluation, just beyond it fails.
    const auto band = PrimaryToleranceBand(2, 1, QStringLiteral("100"), QStringLiteral("10%"), QStringLiteral("выкл."));
    for (const auto& [capacitance, verdict] : {std::pair{*band->upper * 0.999999, 0}, std::pair{*band->upper * 1.0001, 1}}) {
        ToleranceInputs in;
        in.primaryNominalText = QStringLiteral("100");
        in.primaryToleranceText = QStringLiteral("10%");
        in.primaryOffText = QStringLiteral("выкл.");
        in.primaryKind = 2;
        in.primaryUnitIndex = 1;
        in.secondaryToleranceText = in.secondaryOffText = QStringLiteral("выкл.");
        in.testFreqHz = 1000;
        in.serPer = 1;
        in.serX = 1 / (6.283185307179586 * 1000 * capacitance);
        in.serR = 1;
        Deviations deviations;
        EXPECT_EQ(EvaluateTolerance(in, deviations), verdict) << capacitance;
    }
}
