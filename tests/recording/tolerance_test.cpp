#include "recording/number_filter.h"
#include "recording/primary_band.h"
#include "recording/tolerance.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace recording;

namespace {

// Both boxes off, R 1000 Ом series, Q 50; each case switches on what it needs.
Reference baseReference()
{
    Reference ref;
    ref.primary.nominalText = QStringLiteral("1000");
    ref.secondary.nominalText = QStringLiteral("50");
    ref.secondary.kind = SecondaryReferenceKind::Quality;
    return ref;
}

ImpedanceReading baseReading()
{
    ImpedanceReading in;
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
    std::function<void(Reference&, ImpedanceReading&)> setUp;
    int verdict;
    std::optional<double> primaryDeviation;   // nullopt: must stay Untouched
    std::optional<double> secondaryDeviation; // nullopt: must stay Untouched
};

class ToleranceEvaluation : public testing::TestWithParam<ToleranceCase> {};

TEST_P(ToleranceEvaluation, GivesVerdictAndDeviations)
{
    const ToleranceCase& c = GetParam();
    Reference ref = baseReference();
    ImpedanceReading in = baseReading();
    c.setUp(ref, in);
    Deviations deviations{Untouched, Untouched};

    EXPECT_EQ(EvaluateTolerance(ReadReference(ref), in, deviations), c.verdict);
    EXPECT_NEAR(deviations.primary, c.primaryDeviation.value_or(Untouched), 0.005);
    EXPECT_NEAR(deviations.secondary, c.secondaryDeviation.value_or(Untouched), 0.005);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToleranceEvaluation,
    testing::Values(ToleranceCase{"BothOffPassAndKeepOldDeviations", [](Reference&, ImpedanceReading&) {}, 0, {}, {}},
                    ToleranceCase{"SeriesResistanceOutside",
                                  [](Reference& ref, ImpedanceReading& in) {
                                      ref.primary.tolerance = "1%";
                                      in.serR = 1012;
                                  },
                                  1,
                                  1.2,
                                  {}},
                    ToleranceCase{"SeriesResistanceWithin",
                                  [](Reference& ref, ImpedanceReading& in) {
                                      ref.primary.tolerance = "1%";
                                      in.serR = 1009;
                                  },
                                  0,
                                  0.9,
                                  {}},
                    ToleranceCase{"ParallelResistanceBelowNominalFailsGreaterThan",
                                  [](Reference& ref, ImpedanceReading& in) {
                                      ref.primary.nominalText = "10";
                                      ref.primary.unitIndex = 1;
                                      ref.primary.tolerance = ">";
                                      in.serPer = 0;
                                      in.parR = 9990;
                                  },
                                  1,
                                  -0.1,
                                  {}},
                    ToleranceCase{"ParallelResistanceBelowNominalPassesLessThan",
                                  [](Reference& ref, ImpedanceReading& in) {
                                      ref.primary.nominalText = "10";
                                      ref.primary.unitIndex = 1;
                                      ref.primary.tolerance = "<";
                                      in.serPer = 0;
                                      in.parR = 9990;
                                  },
                                  0,
                                  -0.1,
                                  {}},
                    ToleranceCase{"SeriesInductanceFromReactance",
                                  [](Reference& ref, ImpedanceReading& in) {
                                      ref.primary.kind = ReferenceKind::Inductance;
                                      ref.primary.nominalText = "100";
                                      ref.primary.tolerance = "1%";
                                      in.serX = 0.6346;
                                  },
                                  0,
                                  0.9997,
                                  {}},
                    ToleranceCase{"ParallelInductanceUsesParallelReactance",
                                  [](Reference& ref, ImpedanceReading& in) {
                                      ref.primary.kind = ReferenceKind::Inductance;
                                      ref.primary.nominalText = "100";
                                      ref.primary.tolerance = "0,5%";
                                      in.serPer = 0;
                                      in.parX = 0.6346;
                                  },
                                  1,
                                  0.9997,
                                  {}},
                    ToleranceCase{"CapacitanceAboveNominalFailsLessThan",
                                  [](Reference& ref, ImpedanceReading& in) {
                                      ref.primary.kind = ReferenceKind::Capacitance;
                                      ref.primary.nominalText = "100";
                                      ref.primary.unitIndex = 1;
                                      ref.primary.tolerance = "<";
                                      in.serX = 1575.8;
                                  },
                                  1,
                                  0.9896,
                                  {}},
                    ToleranceCase{"CapacitanceAboveNominalPassesGreaterThan",
                                  [](Reference& ref, ImpedanceReading& in) {
                                      ref.primary.kind = ReferenceKind::Capacitance;
                                      ref.primary.nominalText = "100";
                                      ref.primary.unitIndex = 1;
                                      ref.primary.tolerance = ">";
                                      in.serPer = 0;
                                      in.parX = 1575.8;
                                  },
                                  0,
                                  0.9896,
                                  {}},
                    ToleranceCase{"NominalZeroIsUnreadableAndWritesNoDeviation",
                                  [](Reference& ref, ImpedanceReading&) {
                                      ref.primary.nominalText = "0";
                                      ref.primary.tolerance = "1%";
                                  },
                                  20,
                                  {},
                                  {}},
                    // 1000 Ω against 1e-304 Ω is a ratio of 1e307: a number, but not as a
                    // percentage, which would show as "inf".
                    ToleranceCase{"DeviationPastEveryNumberIsUnreadableAndWritesNoDeviation",
                                  [](Reference& ref, ImpedanceReading&) {
                                      ref.primary.nominalText = "1e-304";
                                      ref.primary.tolerance = QStringLiteral("1%");
                                  },
                                  20,
                                  {},
                                  {}},
                    ToleranceCase{"CapacitanceNominalZeroIsUnreadable",
                                  [](Reference& ref, ImpedanceReading&) {
                                      ref.primary.kind = ReferenceKind::Capacitance;
                                      ref.primary.nominalText = "0";
                                      ref.primary.tolerance = "1%";
                                  },
                                  20,
                                  {},
                                  {}},
                    ToleranceCase{"NominalNotANumber",
                                  [](Reference& ref, ImpedanceReading&) {
                                      ref.primary.nominalText = "1k";
                                      ref.primary.tolerance = "1%";
                                  },
                                  20,
                                  {},
                                  {}},
                    ToleranceCase{"ToleranceNotANumberAfterDeviationWasComputed",
                                  [](Reference& ref, ImpedanceReading& in) {
                                      ref.primary.tolerance = "1,2,3%";
                                      in.serR = 1012;
                                  },
                                  20,
                                  1.2,
                                  {}},
                    ToleranceCase{"PrimaryPercentAloneSkipsSecondary",
                                  [](Reference& ref, ImpedanceReading&) {
                                      ref.primary.tolerance = "%";
                                      ref.secondary.tolerance = "10%";
                                  },
                                  20,
                                  0,
                                  {}},
                    ToleranceCase{"SecondaryPercentAloneReplacesPrimaryVerdict",
                                  [](Reference& ref, ImpedanceReading& in) {
                                      ref.primary.tolerance = "1%";
                                      in.serR = 1012;
                                      ref.secondary.tolerance = "%";
                                  },
                                  2, 1.2, -1.18577},
                    ToleranceCase{"QualityFactorOutside",
                                  [](Reference& ref, ImpedanceReading& in) {
                                      ref.secondary.tolerance = "10%";
                                      in.serX = 56000;
                                  },
                                  2,
                                  {},
                                  12},
                    ToleranceCase{"BothOutside",
                                  [](Reference& ref, ImpedanceReading& in) {
                                      ref.primary.tolerance = "1%";
                                      in.serR = 1012;
                                      ref.secondary.tolerance = "10%";
                                      in.serX = 56000 * 1.012;
                                  },
                                  3, 1.2, 12},
                    ToleranceCase{"DissipationFactorFromSeriesValuesEvenInParallel",
                                  [](Reference& ref, ImpedanceReading& in) {
                                      in.serPer = 0;
                                      ref.secondary.kind = SecondaryReferenceKind::Dissipation;
                                      ref.secondary.nominalText = "0.02";
                                      ref.secondary.tolerance = "5%";
                                      in.serX = 50000;
                                  },
                                  0,
                                  {},
                                  0},
                    ToleranceCase{"QualityFactorOfZeroResistanceIsUnreadable",
                                  [](Reference& ref, ImpedanceReading& in) {
                                      ref.secondary.tolerance = "10%";
                                      in.serR = 0;
                                  },
                                  20,
                                  {},
                                  {}},
                    ToleranceCase{"SecondaryResistanceWithUnit",
                                  [](Reference& ref, ImpedanceReading& in) {
                                      ref.secondary.kind = SecondaryReferenceKind::Resistance;
                                      ref.secondary.nominalText = "1";
                                      ref.secondary.unitIndex = 1;
                                      ref.secondary.tolerance = "<";
                                      in.serR = 1001;
                                  },
                                  2,
                                  {},
                                  0.1},
                    // Off is the box's state: a text that reads like an "off" item is no tolerance.
                    ToleranceCase{"OffWordInABoxThatIsOnIsUnreadable",
                                  [](Reference& ref, ImpedanceReading&) { ref.primary.tolerance = "off"; },
                                  20,
                                  0,
                                  {}}),
    [](const testing::TestParamInfo<ToleranceCase>& test) { return std::string(test.param.name); });

// The designed items "0,2%", "0,3%", "0,5%" and nominals typed with either separator
// must read the same whatever the system's separator is.
TEST(ToleranceDecimalSeparators, CommaAndPointReadTheSame)
{
    for (const char* nominal : {"1000,0", "1000.0", " 1000 "}) {
        for (const char* tolerance : {"0,2%", "0.2%", "0,2"}) {
            Reference ref = baseReference();
            ImpedanceReading in = baseReading();
            ref.primary.nominalText = nominal;
            ref.primary.tolerance = tolerance;
            Deviations deviations;
            in.serR = 1001.9;
            EXPECT_EQ(EvaluateTolerance(ReadReference(ref), in, deviations), 0) << nominal << " " << tolerance;
            in.serR = 1002.1;
            EXPECT_EQ(EvaluateTolerance(ReadReference(ref), in, deviations), 1) << nominal << " " << tolerance;
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
    const FilteredText result =
        FilterNumberText(QString::fromUtf8(c.typed), c.caret, QChar(c.separator), c.toleranceBox);
    EXPECT_EQ(result.text, QString::fromUtf8(c.kept));
    EXPECT_EQ(result.caret, c.keptCaret);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberFilter,
    testing::Values(FilterCase{"12a,5,3", 7, u',', false, "12,53", 5}, FilterCase{",5", 1, u',', false, "5", 1},
                    FilterCase{"1.5", 3, u',', false, "15", 2}, // only the system's separator stays
                    FilterCase{"1.5", 2, u'.', false, "1.5", 2}, FilterCase{"7", 1, u',', true, "7%", 1},
                    FilterCase{"12,5%%", 6, u',', true, "12,5%", 5}, FilterCase{"abc", 3, u'.', false, "", 0},
                    // A separator with no digit before it would be dropped at the next
                    // keystroke, turning ".5" into "53": it is dropped at once.
                    FilterCase{"x.5", 3, u'.', false, "5", 1}, FilterCase{"a,", 2, u',', true, "%", 1}));

} // namespace

// The band drawn beside the readings must agree with the verdict at its edges.
TEST(PrimaryToleranceBand, LimitsMatchTheEvaluation)
{
    struct Case {
        ReferenceKind kind;
        int unit;
        const char* nominal;
        const char* tolerance;
        std::optional<double> lower, upper;
    };
    const Case cases[] = {
        {ReferenceKind::Resistance, 1, "10", "1%", 9900.0, 10100.0},
        {ReferenceKind::Inductance, 0, "100", "5%", 95e-6, 105e-6},
        {ReferenceKind::Capacitance, 1, "100", "10%", 100e-9 / 1.1, 100e-9 / 0.9},
        {ReferenceKind::Resistance, 0, "1000", ">", 1000.0, std::nullopt},
        {ReferenceKind::Capacitance, 2, "4,7", "<", std::nullopt, 4.7e-6},
    };
    for (const Case& c : cases) {
        const auto band = PrimaryToleranceBand(
            ReadPrimaryReference({c.kind, c.unit, QString::fromUtf8(c.nominal), QString::fromUtf8(c.tolerance)}));
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
    EXPECT_FALSE(PrimaryToleranceBand(
        ReadPrimaryReference({ReferenceKind::Resistance, 0, QStringLiteral("100"), std::nullopt})));
    EXPECT_FALSE(PrimaryToleranceBand(
        ReadPrimaryReference({ReferenceKind::Resistance, 0, QStringLiteral("abc"), QStringLiteral("1%")})));

    // A capacitor exactly at the upper limit passes the evaluation, just beyond it fails.
    Reference ref;
    ref.primary.nominalText = QStringLiteral("100");
    ref.primary.tolerance = QStringLiteral("10%");
    ref.primary.kind = ReferenceKind::Capacitance;
    ref.primary.unitIndex = 1;
    const auto band = PrimaryToleranceBand(ReadPrimaryReference(ref.primary));
    for (const auto& [capacitance, verdict] :
         {std::pair{*band->upper * 0.999999, 0}, std::pair{*band->upper * 1.0001, 1}}) {
        ImpedanceReading in;
        in.testFreqHz = 1000;
        in.serPer = 1;
        in.serX = 1 / (6.283185307179586 * 1000 * capacitance);
        in.serR = 1;
        Deviations deviations;
        EXPECT_EQ(EvaluateTolerance(ReadReference(ref), in, deviations), verdict) << capacitance;
    }
}

// The deviation of a shown value is the one the judgement computes from the reactances the
// value was shown from, in each kind; for C it is (1 - Cnominal/Cmeasured) × 100.
TEST(PrimaryDeviationPercent, AgreesWithTheJudgementInEachKind)
{
    constexpr double hertz = 1000;
    constexpr double omega = 2 * 3.14159265358979323846 * hertz;
    struct Case {
        ReferenceKind kind;
        int unit;
        const char* nominal;
        double reactance;  // what the meter reports, in ohm
        double shownValue; // the value it shows from it
        double deviation;  // by hand
    };
    const double capacitance = 125e-9;
    const double inductance = 94e-6;
    const Case cases[] = {
        {ReferenceKind::Resistance, 0, "1000", 0, 1012, 1.2},
        {ReferenceKind::Inductance, 0, "100", omega * inductance, inductance, -6},
        {ReferenceKind::Capacitance, 1, "100", 1 / (omega * capacitance), capacitance, 20},
    };
    for (const Case& c : cases) {
        Reference ref;
        ref.primary = {c.kind, c.unit, QString::fromUtf8(c.nominal), QStringLiteral("1%")};
        ref.secondary.tolerance = std::nullopt;
        ImpedanceReading in;
        in.serR = c.kind == ReferenceKind::Resistance ? c.shownValue : 1;
        in.serX = c.reactance;
        in.testFreqHz = int(hertz);
        in.serPer = 1;
        Deviations judged;
        EvaluateTolerance(ReadReference(ref), in, judged);

        const auto deviation = PrimaryDeviationPercent(ReadPrimaryReference(ref.primary), c.shownValue);
        ASSERT_TRUE(deviation) << c.nominal;
        EXPECT_NEAR(*deviation, judged.primary, 1e-9) << c.nominal;
        EXPECT_NEAR(*deviation, c.deviation, 1e-9) << c.nominal;
    }
    const PrimaryReferenceValue zero{ReferenceKind::Capacitance, 0.0, {}};
    EXPECT_FALSE(PrimaryDeviationPercent(zero, 1e-9));
    EXPECT_FALSE(PrimaryDeviationPercent({ReferenceKind::Resistance, std::nullopt, {}}, 1000));
    EXPECT_FALSE(PrimaryDeviationPercent({ReferenceKind::Capacitance, 1e-9, {}}, 0));
}
