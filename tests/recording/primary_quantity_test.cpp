#include "recording/primary_quantity.h"

#include <gtest/gtest.h>

namespace recording {
namespace {

using meter::PrimaryParameter;

TEST(ReferenceKindOf, TheSameQuantityOrNone)
{
    const std::pair<PrimaryParameter, std::optional<ReferenceKind>> cases[] = {
        {PrimaryParameter::Resistance, ReferenceKind::Resistance},
        {PrimaryParameter::Inductance, ReferenceKind::Inductance},
        {PrimaryParameter::Capacitance, ReferenceKind::Capacitance},
        {PrimaryParameter::Impedance, std::nullopt},
        {PrimaryParameter::None, std::nullopt},
        {PrimaryParameter(6), std::nullopt},
    };
    for (const auto& [parameter, kind] : cases)
        EXPECT_EQ(ReferenceKindOf(parameter), kind) << int(parameter);
}

// A reading whose series and parallel values differ, so that a value taken from the wrong
// circuit shows.
meter::RlcdReading Reading(double serR, double serX, double parR, double parX)
{
    meter::RlcdReading reading;
    reading.SerR = serR;
    reading.SerX = serX;
    reading.ParR = parR;
    reading.ParX = parX;
    return reading;
}

struct PrimaryCase {
    const char* name;
    quint8 primKind;
    quint8 serPer; // 1 series, 0 parallel
    meter::RlcdReading reading;
    qint32 testFreqHz;
    std::optional<PrimaryQuantity> expected;
};

TEST(DisplayedPrimary, ValueOfTheShownParameterInItsOwnUnit)
{
    const PrimaryCase cases[] = {
        {"series resistance", 1, 1, Reading(1000, 5, 1010, 9), 1000,
         PrimaryQuantity{PrimaryParameter::Resistance, 1000, ReferenceKind::Resistance}},
        {"parallel resistance", 1, 0, Reading(1000, 5, 1010, 9), 1000,
         PrimaryQuantity{PrimaryParameter::Resistance, 1010, ReferenceKind::Resistance}},
        {"100 uH from the series reactance at 1 kHz", 3, 1, Reading(0.1, 0.6283185307, 9, 7), 1000,
         PrimaryQuantity{PrimaryParameter::Inductance, 100e-6, ReferenceKind::Inductance}},
        {"100 uH from the parallel reactance at 1 kHz", 3, 0, Reading(0.1, 7, 9, 0.6283185307), 1000,
         PrimaryQuantity{PrimaryParameter::Inductance, 100e-6, ReferenceKind::Inductance}},
        {"100 nF at 1 kHz", 2, 1, Reading(2, 1591.549431, 9, 7), 1000,
         PrimaryQuantity{PrimaryParameter::Capacitance, 100e-9, ReferenceKind::Capacitance}},
        {"4.7 uF at 120 Hz while no test frequency is known", 2, 1, Reading(2, 282.1896154, 9, 7), 0,
         PrimaryQuantity{PrimaryParameter::Capacitance, 4.7e-6, ReferenceKind::Capacitance}},
        {"|Z| from the series values even in parallel", 4, 0, Reading(3, 4, 9, 7), 1000,
         PrimaryQuantity{PrimaryParameter::Impedance, 5, std::nullopt}},
        {"automatic, not named yet", 0, 1, Reading(3, 4, 9, 7), 1000, std::nullopt},
        {"a code without a parameter", 5, 1, Reading(3, 4, 9, 7), 1000, std::nullopt},
    };
    for (const PrimaryCase& c : cases) {
        SCOPED_TRACE(c.name);
        meter::TMeterSettings settings;
        settings.PrimKind = c.primKind;
        settings.SerPer = c.serPer;
        const auto shown = DisplayedPrimary(settings, c.reading, c.testFreqHz);
        ASSERT_EQ(shown.has_value(), c.expected.has_value());
        if (!shown)
            continue;
        EXPECT_EQ(shown->parameter, c.expected->parameter);
        EXPECT_EQ(shown->referenceKind, c.expected->referenceKind);
        EXPECT_NEAR(shown->value, c.expected->value, c.expected->value * 1e-9);
    }
}

} // namespace
} // namespace recording
