// A part stored in a profile judges readings as the reference box judges them once the part
// is shown in it: its kinds, units, nominals and tolerances, a stored "OFF" meaning off.
#include "recording/part_record.h"
#include "recording/tolerance.h"

#include <gtest/gtest.h>

#include <functional>

using namespace recording;

namespace {

// R 1000 Ω and Q 50, both tolerances off; each case switches on what it needs.
PartRecord basePart()
{
    PartRecord part;
    part.primaryNominal = QStringLiteral("1000");
    part.primaryTolerance = StoredToleranceOff;
    part.secondaryKind = quint8(SecondaryReferenceKind::Quality);
    part.secondaryNominal = QStringLiteral("50");
    part.secondaryTolerance = StoredToleranceOff;
    return part;
}

// 1000 Ω and a reactance of 50 kΩ in series, at 1 kHz.
ImpedanceReading baseReading()
{
    return {1000, 50000, 1000, 50000, 1000, 1};
}

struct PartCase {
    const char* name;
    std::function<void(PartRecord&, ImpedanceReading&)> setUp;
    int verdict;
    bool primaryOn;
    bool secondaryOn;
    double primaryDeviation;
    double secondaryDeviation;
};

class PartReference : public testing::TestWithParam<PartCase> {};

TEST_P(PartReference, JudgesAsTheReferenceBoxHoldingThePart)
{
    const PartCase& c = GetParam();
    PartRecord part = basePart();
    ImpedanceReading reading = baseReading();
    c.setUp(part, reading);

    const ReadingJudgement judgement = JudgeReading(ReadReference(ReferenceOfPart(part)), reading, ReadingJudgement{});
    EXPECT_EQ(judgement.verdict, c.verdict);
    EXPECT_EQ(judgement.primaryOn, c.primaryOn);
    EXPECT_EQ(judgement.secondaryOn, c.secondaryOn);
    EXPECT_NEAR(judgement.deviations.primary, c.primaryDeviation, 0.005);
    EXPECT_NEAR(judgement.deviations.secondary, c.secondaryDeviation, 0.005);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PartReference,
    testing::Values(PartCase{"StoredOffJudgesNothing", [](PartRecord&, ImpedanceReading& in) { in.serR = 5000; },
                             VerdictPass, false, false, 0, 0},
                    // Only the stored "OFF" means off, whatever the
                    // language's word for it: a word is no tolerance.
                    PartCase{"StoredWordForOffIsUnreadable",
                             [](PartRecord& part, ImpedanceReading&) { part.primaryTolerance = "off"; },
                             VerdictUnreadable, true, false, 0, 0},
                    PartCase{"PrimaryInKiloohm",
                             [](PartRecord& part, ImpedanceReading& in) {
                                 part.primaryUnit = 1;
                                 part.primaryNominal = "1";
                                 part.primaryTolerance = "1%";
                                 in.serR = 1012;
                             },
                             VerdictPrimaryOut, true, false, 1.2, 0},
                    PartCase{"ParallelCircuitJudgesTheParallelValue",
                             [](PartRecord& part, ImpedanceReading& in) {
                                 part.primaryTolerance = "1%";
                                 in.serPer = 0;
                                 in.parR = 1005;
                             },
                             VerdictPass, true, false, 0.5, 0},
                    PartCase{"CapacitanceInNanofarad",
                             [](PartRecord& part, ImpedanceReading& in) {
                                 part.primaryKind = quint8(ReferenceKind::Capacitance);
                                 part.primaryUnit = 1;
                                 part.primaryNominal = "100";
                                 part.primaryTolerance = "5%";
                                 in.serX = 1591.549;
                             },
                             VerdictPass, true, false, 0, 0},
                    PartCase{"SecondaryResistanceInKiloohm",
                             [](PartRecord& part, ImpedanceReading& in) {
                                 part.secondaryKind = quint8(SecondaryReferenceKind::Resistance);
                                 part.secondaryUnit = 1;
                                 part.secondaryNominal = "2";
                                 part.secondaryTolerance = "5%";
                                 in.serR = 2200;
                             },
                             VerdictSecondaryOut, false, true, 0, 10},
                    PartCase{"QualityAndUpperLimit",
                             [](PartRecord& part, ImpedanceReading& in) {
                                 part.primaryTolerance = "<";
                                 part.secondaryTolerance = "10%";
                                 in.serR = 1100;
                                 in.serX = 110000;
                             },
                             VerdictBothOut, true, true, 10, 100}),
    [](const testing::TestParamInfo<PartCase>& test) { return std::string(test.param.name); });

// A tolerance that is off leaves the deviation the previous reading had, as the table
// keeps showing it.
TEST(PartReferenceJudgement, OffToleranceKeepsThePreviousDeviation)
{
    PartRecord part = basePart();
    part.primaryTolerance = QStringLiteral("1%");
    ReadingJudgement previous;
    previous.deviations.secondary = 7;
    ImpedanceReading reading = baseReading();
    reading.serR = 1010;

    const ReadingJudgement judgement = JudgeReading(ReadReference(ReferenceOfPart(part)), reading, previous);
    EXPECT_NEAR(judgement.deviations.primary, 1.0, 0.005);
    EXPECT_EQ(judgement.deviations.secondary, 7);
}

} // namespace
