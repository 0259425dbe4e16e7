#pragma once
#include <numbers>

namespace meter {

// The meter reports reactances in ohm; inductance and capacitance follow from them and the
// test frequency through the angular frequency 2πf.
inline constexpr double kTwoPi = 2 * std::numbers::pi;

constexpr double InductanceFromReactance(double ohm, double hertz)
{
    return ohm / (kTwoPi * hertz);
}

constexpr double CapacitanceFromReactance(double ohm, double hertz)
{
    return 1 / (kTwoPi * hertz * ohm);
}

constexpr double ReactanceOfInductance(double henry, double hertz)
{
    return kTwoPi * hertz * henry;
}

constexpr double ReactanceOfCapacitance(double farad, double hertz)
{
    return 1 / (kTwoPi * hertz * farad);
}

} // namespace meter
