#include "meter/reactance.h"

#include <gtest/gtest.h>

namespace meter {
namespace {

// Components with reactances worked out by hand: X = 2πfL for a coil, X = 1/(2πfC) for a
// capacitor.
struct ComponentCase {
    const char* name;
    double hertz;
    double henry; // 0 for a capacitor
    double farad; // 0 for a coil
    double reactanceOhm;
};

constexpr ComponentCase kComponents[] = {
    {"100 uH at 1 kHz", 1000, 100e-6, 0, 0.6283185307}, {"10 mH at 120 Hz", 120, 10e-3, 0, 7.539822369},
    {"1 H at 100 kHz", 100000, 1, 0, 628318.5307},      {"100 nF at 1 kHz", 1000, 0, 100e-9, 1591.549431},
    {"4.7 uF at 120 Hz", 120, 0, 4.7e-6, 282.1896154},  {"10 pF at 150 kHz", 150000, 0, 10e-12, 106103.2954},
};

constexpr double kRelative = 1e-9; // the reactances above have ten significant digits

TEST(Reactance, ComponentsAndTheirReactancesBothWays)
{
    for (const ComponentCase& c : kComponents) {
        SCOPED_TRACE(c.name);
        if (c.henry > 0) {
            EXPECT_NEAR(ReactanceOfInductance(c.henry, c.hertz), c.reactanceOhm, c.reactanceOhm * kRelative);
            EXPECT_NEAR(InductanceFromReactance(c.reactanceOhm, c.hertz), c.henry, c.henry * kRelative);
        } else {
            EXPECT_NEAR(ReactanceOfCapacitance(c.farad, c.hertz), c.reactanceOhm, c.reactanceOhm * kRelative);
            EXPECT_NEAR(CapacitanceFromReactance(c.reactanceOhm, c.hertz), c.farad, c.farad * kRelative);
        }
    }
}

} // namespace
} // namespace meter
