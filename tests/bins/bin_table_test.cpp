#include "bin_printer.h"
#include "bins/bin_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

using namespace bins;
using meter::PrimaryParameter;
using meter::SecondaryParameter;
using recording::MeasuredValue;
using recording::PrimaryReferenceValue;
using recording::ReadingValues;
using recording::ReferenceKind;

namespace {

constexpr double kNominalOhm = 4700;
constexpr double kNominalFarad = 100e-9;
const PrimaryReferenceValue kResistor{ReferenceKind::Resistance, kNominalOhm, {}};
const PrimaryReferenceValue kCapacitor{ReferenceKind::Capacitance, kNominalFarad, {}};
const PrimaryReferenceValue kUnreadableResistor{ReferenceKind::Resistance, std::nullopt, {}};

// A reading as the row holds it: the primary (none: the meter names none), overloaded or
// not, and the secondary where it shows one.
ReadingValues reading(PrimaryParameter kind, std::optional<double> primary, std::optional<double> secondary = {},
                      bool overload = false)
{
    ReadingValues values;
    values.primaryKind = kind;
    if (primary)
        values.primary = MeasuredValue{*primary, overload};
    if (secondary) {
        values.secondaryKind = SecondaryParameter::Dissipation;
        values.secondary = MeasuredValue{*secondary, false};
    }
    return values;
}

ReadingValues ohm(double value, std::optional<double> secondary = {})
{
    return reading(PrimaryParameter::Resistance, value, secondary);
}

ReadingValues farad(double value, std::optional<double> secondary = {})
{
    return reading(PrimaryParameter::Capacitance, value, secondary);
}

// The deviation of a resistor by hand: the value that deviates by this many percent.
double ohmAt(double percent)
{
    return kNominalOhm * (1 + percent / 100);
}

BinRange bin(int number, RangeMode mode, double low, double high, std::optional<double> secondaryLow = {},
             std::optional<double> secondaryHigh = {})
{
    return {number, mode, low, high, secondaryLow, secondaryHigh};
}

constexpr auto Pct = RangeMode::Percent;
constexpr auto Dev = RangeMode::Deviation;
constexpr auto Abs = RangeMode::Absolute;

// Nested around one nominal: the narrow bins first.
const BinTable kNested{{bin(1, Pct, -1, 1), bin(2, Pct, -2, 2), bin(3, Pct, -5, 5)}, false};
// Side by side, sharing their edges, with a gap between bins 3 and 4.
const BinTable kSequential{
    {bin(1, Abs, 4600, 4650), bin(2, Abs, 4650, 4700), bin(3, Abs, 4700, 4750), bin(4, Abs, 4800, 4850)}, false};
// Bins 1 and 2 overlap between 0 % and +2 %.
const BinTable kOverlapping{{bin(1, Pct, 0, 5), bin(2, Pct, -5, 2)}, false};
// Bin 1 holds D up to 0.01 only, bin 2 any D; bin 3 an ESR-like window on both sides.
BinTable withSecondary(bool aux)
{
    return {{bin(1, Pct, -1, 1, std::nullopt, 0.01), bin(2, Pct, -5, 5), bin(3, Pct, 5, 10, 0.1, 0.5)}, aux};
}
// One bin per mode, each lopsided around the nominal.
const BinTable kAsymmetricPercent{{bin(1, Pct, -2, 5)}, false};
const BinTable kAsymmetricDeviation{{bin(1, Dev, -10, 50)}, false};
const BinTable kAsymmetricAbsolute{{bin(1, Abs, 4650, 4800)}, false};
const BinTable kCapacitorOnePercent{{bin(1, Pct, -1, 1)}, true};
const BinTable kEverything{{bin(1, Abs, -1e30, 1e30)}, true};
const BinTable kPercentThenAbsolute{{bin(1, Pct, -1, 1), bin(2, Abs, 4000, 5000)}, false};

struct SortCase {
    const char* name;
    BinTable table;
    PrimaryReferenceValue reference;
    ReadingValues reading;
    Bin expected;
};

void PrintTo(const SortCase& c, std::ostream* out)
{
    *out << c.name;
}

class SortingLikeAComparator : public testing::TestWithParam<SortCase> {};

TEST_P(SortingLikeAComparator, PutsTheReadingInItsBin)
{
    const SortCase& c = GetParam();
    EXPECT_EQ(SortReading(c.table, c.reading, c.reference), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortingLikeAComparator,
    testing::Values(
        // Nested: the narrowest bin that holds the reading.
        SortCase{"NestedInnermost", kNested, kResistor, ohm(ohmAt(0.5)), Bin{1}},
        SortCase{"NestedMiddle", kNested, kResistor, ohm(ohmAt(-1.5)), Bin{2}},
        SortCase{"NestedOutermost", kNested, kResistor, ohm(ohmAt(4.9)), Bin{3}},
        SortCase{"NestedBeyondAll", kNested, kResistor, ohm(ohmAt(-5.1)), Bin::Out},
        // Edges belong to the range they close: 1010 Ω off 1000 Ω is exactly +1 %.
        SortCase{"PercentEdgeHeld", kNested, {ReferenceKind::Resistance, 1000.0, {}}, ohm(1010), Bin{1}},
        // Side by side: a shared edge goes to the lower bin, a gap to OUT.
        SortCase{"SequentialInside", kSequential, kResistor, ohm(4725), Bin{3}},
        SortCase{"SequentialSharedEdge", kSequential, kResistor, ohm(4650), Bin{1}},
        SortCase{"SequentialUpperEdge", kSequential, kResistor, ohm(4750), Bin{3}},
        SortCase{"SequentialGap", kSequential, kResistor, ohm(4775), Bin::Out},
        SortCase{"SequentialJustPastTheEdge", kSequential, kResistor, ohm(4750.000001), Bin::Out},
        SortCase{"SequentialAfterTheGap", kSequential, kResistor, ohm(4800), Bin{4}},
        SortCase{"SequentialBelowAll", kSequential, kResistor, ohm(4599.99), Bin::Out},
        // Overlap: the lowest number wins.
        SortCase{"OverlapLowestWins", kOverlapping, kResistor, ohm(ohmAt(1)), Bin{1}},
        SortCase{"OverlapOnlySecond", kOverlapping, kResistor, ohm(ohmAt(-1)), Bin{2}},
        SortCase{"OverlapOnlyFirst", kOverlapping, kResistor, ohm(ohmAt(3)), Bin{1}},
        // Secondary: a failing secondary goes to AUX or OUT, never on to a later bin.
        SortCase{"SecondaryWithin", withSecondary(true), kResistor, ohm(ohmAt(0.5), 0.005), Bin{1}},
        SortCase{"SecondaryOnItsEdge", withSecondary(true), kResistor, ohm(ohmAt(0.5), 0.01), Bin{1}},
        SortCase{"SecondaryFailsAuxOn", withSecondary(true), kResistor, ohm(ohmAt(0.5), 0.02), Bin::Aux},
        SortCase{"SecondaryFailsAuxOff", withSecondary(false), kResistor, ohm(ohmAt(0.5), 0.02), Bin::Out},
        SortCase{"SecondaryFreeInLaterBin", withSecondary(false), kResistor, ohm(ohmAt(3), 0.02), Bin{2}},
        SortCase{"SecondaryBelowItsLowLimit", withSecondary(true), kResistor, ohm(ohmAt(7), 0.05), Bin::Aux},
        SortCase{"SecondaryInsideTwoSidedLimits", withSecondary(true), kResistor, ohm(ohmAt(7), 0.3), Bin{3}},
        SortCase{"SecondaryMissingFailsItsLimit", withSecondary(true), kResistor, ohm(ohmAt(0.5)), Bin::Aux},
        SortCase{"SecondaryMissingNoLimit", withSecondary(true), kResistor, ohm(ohmAt(3)), Bin{2}},
        // Asymmetric limits in each mode, on both sides.
        SortCase{"AsymmetricPercentHigh", kAsymmetricPercent, kResistor, ohm(ohmAt(4.5)), Bin{1}},
        SortCase{"AsymmetricPercentLow", kAsymmetricPercent, kResistor, ohm(ohmAt(-2.5)), Bin::Out},
        SortCase{"AsymmetricDeviationHigh", kAsymmetricDeviation, kResistor, ohm(kNominalOhm + 45), Bin{1}},
        SortCase{"AsymmetricDeviationLow", kAsymmetricDeviation, kResistor, ohm(kNominalOhm - 15), Bin::Out},
        SortCase{"AsymmetricDeviationLowEdge", kAsymmetricDeviation, kResistor, ohm(kNominalOhm - 10), Bin{1}},
        SortCase{"AsymmetricAbsoluteHigh", kAsymmetricAbsolute, kResistor, ohm(4790), Bin{1}},
        SortCase{"AsymmetricAbsoluteLow", kAsymmetricAbsolute, kResistor, ohm(4640), Bin::Out},
        // C by percent is the deviation of the reactances, 1 - Cnominal/Cmeasured: 101.01 nF
        // is +0.9999 % (its capacitance is 1.01 % up), 99 nF is -1.0101 % (-1 % in farads).
        SortCase{"CapacitorReactanceWithin", kCapacitorOnePercent, kCapacitor, farad(101.01e-9), Bin{1}},
        SortCase{"CapacitorReactanceBeyond", kCapacitorOnePercent, kCapacitor, farad(99e-9), Bin::Out},
        SortCase{
            "CapacitorDeviationInFarads", {{bin(1, Dev, -1e-9, 2e-9)}, false}, kCapacitor, farad(101.5e-9), Bin{1}},
        // What no bin may hold.
        SortCase{"Overload", kEverything, kResistor, reading(PrimaryParameter::Resistance, 2e7, {}, true), Bin::Out},
        SortCase{"NoPrimary", kEverything, kResistor, reading(PrimaryParameter::None, std::nullopt), Bin::Out},
        SortCase{"ImpedanceForAResistor", kEverything, kResistor, reading(PrimaryParameter::Impedance, 4700), Bin::Out},
        SortCase{"InductanceForACapacitor", kEverything, kCapacitor, reading(PrimaryParameter::Inductance, 1e-3),
                 Bin::Out},
        // Without a nominal a percent bin holds nothing, an absolute one still does.
        SortCase{"UnreadableNominalSkipsPercent", kPercentThenAbsolute, kUnreadableResistor, ohm(4700), Bin{2}},
        SortCase{"UnreadableNominalNoDeviation", kAsymmetricDeviation, kUnreadableResistor, ohm(4700), Bin::Out}),
    [](const testing::TestParamInfo<SortCase>& test) { return std::string(test.param.name); });

// The table's order does not decide: the lowest number wins wherever it is listed.
TEST(SortingLikeAComparator, LowestNumberWinsWhateverTheOrder)
{
    const BinTable reversed{{bin(3, Pct, -5, 5), bin(2, Pct, -2, 2), bin(1, Pct, -1, 1)}, false};
    EXPECT_EQ(SortReading(reversed, ohm(ohmAt(0.5)), kResistor), Bin{1});
    EXPECT_EQ(SortReading(reversed, ohm(ohmAt(1.5)), kResistor), Bin{2});
}

TEST(BinWords, ReadBackAsTheirBinAndNothingElse)
{
    for (int number = kFirstBinNumber; number <= kLastBinNumber; ++number) {
        EXPECT_EQ(BinWord(NumberedBin(number)), QString::number(number));
        EXPECT_EQ(BinOfWord(BinWord(NumberedBin(number))), NumberedBin(number));
    }
    EXPECT_EQ(BinWord(Bin::Aux), QStringLiteral("AUX"));
    EXPECT_EQ(BinWord(Bin::Out), QStringLiteral("OUT"));
    EXPECT_EQ(BinOfWord(u"AUX"), Bin::Aux);
    EXPECT_EQ(BinOfWord(u"OUT"), Bin::Out);
    for (const char16_t* other : {u"", u"0", u"10", u"01", u"+1", u"aux", u"1.0", u" 1"})
        EXPECT_FALSE(BinOfWord(other)) << QString::fromUtf16(other).toStdString();
}

} // namespace
