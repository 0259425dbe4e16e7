#include "meter/rounded_decimal.h"

#include "meter/exact_decimal_comparison.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace meter {
namespace {

// The powers of ten a double holds exactly; beyond them the exact comparison takes over.
constexpr int MaxExactPower = 22;
constexpr std::array<double, MaxExactPower + 1> PowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// Every whole number up to this one is a double.
constexpr std::uint64_t MaxExactInteger = std::uint64_t(1) << std::numeric_limits<double>::digits;
// The exponent of the last place of the smallest doubles (subnormal ones).
constexpr int LowestBinaryExponent = std::numeric_limits<double>::min_exponent - std::numeric_limits<double>::digits;

// A finite double that is not negative as significand × 2^exponent, the significand whole
// and below 2^53, the exponent that of the double's last place: the next double up is
// (significand + 1) × 2^exponent.
struct BinaryValue {
    std::uint64_t significand = 0;
    int exponent = LowestBinaryExponent;
};

BinaryValue binaryValueOf(double magnitude)
{
    if (magnitude == 0)
        return {};
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    BinaryValue value{std::uint64_t(std::ldexp(fraction, std::numeric_limits<double>::digits)),
                      exponent - std::numeric_limits<double>::digits};
    if (value.exponent < LowestBinaryExponent) {
        // A subnormal double's low bits are zero: shifting them out loses nothing.
        value.significand >>= LowestBinaryExponent - value.exponent;
        value.exponent = LowestBinaryExponent;
    }
    return value;
}

// The sign of magnitude − halfUnits / 2 × 10^exponent, exactly. Where the power of ten is a
// double, one fused multiply-add decides: it rounds the exact difference once, and rounding
// never turns a difference to zero or flips its sign (both terms are whole multiples of the
// smallest double's last place, so a difference that is not zero is at least that).
int compareWithHalfUnits(double magnitude, std::uint64_t halfUnits, int exponent)
{
    if (std::abs(exponent) <= MaxExactPower && halfUnits <= MaxExactInteger) {
        const double threshold = double(halfUnits) / 2;
        const double difference = exponent >= 0 ? std::fma(-threshold, PowersOfTen[std::size_t(exponent)], magnitude)
                                                : std::fma(magnitude, PowersOfTen[std::size_t(-exponent)], -threshold);
        return (difference > 0) - (difference < 0);
    }
    const BinaryValue binary = binaryValueOf(magnitude);
    return CompareWithDecimalExactly(binary.significand, binary.exponent + 1, halfUnits, exponent);
}

int compareWithUnits(double magnitude, std::uint64_t units, int exponent)
{
    return compareWithHalfUnits(magnitude, 2 * units, exponent);
}

// The whole units of 10^exponent in the magnitude, rounded down: an estimate in floating
// point, corrected by exact comparisons.
std::uint64_t wholeUnits(double magnitude, int exponent)
{
    const long double scaled = std::abs(exponent) <= MaxExactPower
        ? (exponent >= 0 ? magnitude / PowersOfTen[std::size_t(exponent)]
                         : magnitude * PowersOfTen[std::size_t(-exponent)])
        : magnitude * std::pow(10.0L, -exponent);
    std::uint64_t units = std::uint64_t(std::floor(scaled));
    while (units > 0 && compareWithUnits(magnitude, units, exponent) < 0)
        --units;
    while (compareWithUnits(magnitude, units + 1, exponent) >= 0)
        ++units;
    return units;
}

// The double nearest to units × 10^exponent where floating point alone cannot round it
// once: an estimate, moved to its neighbour while the decimal lies beyond the midpoint
// between them (a decimal exactly on it goes to the even neighbour).
double nearestDoubleByComparison(std::uint64_t units, int exponent)
{
    double candidate = std::min(double(units * std::pow(10.0L, exponent)), std::numeric_limits<double>::max());
    for (;;) {
        const BinaryValue value = binaryValueOf(candidate);
        const bool odd = value.significand % 2 != 0;
        const int aboveMidpointUp =
            -CompareWithDecimalExactly(2 * value.significand + 1, value.exponent - 1, units, exponent);
        if (aboveMidpointUp > 0 || (aboveMidpointUp == 0 && odd)) {
            candidate = std::nextafter(candidate, HUGE_VAL); // infinite past the largest double
            if (std::isinf(candidate))
                return candidate;
            continue;
        }
        if (candidate > 0) {
            const double below = std::nextafter(candidate, 0.0);
            const BinaryValue lower = binaryValueOf(below);
            const int belowMidpointDown =
                CompareWithDecimalExactly(2 * lower.significand + 1, lower.exponent - 1, units, exponent);
            if (belowMidpointDown > 0 || (belowMidpointDown == 0 && odd)) {
                candidate = below;
                continue;
            }
        }
        return candidate;
    }
}

// 10^power as a whole number, for the few digits a decimal has.
std::uint64_t wholePowerOfTen(int power)
{
    std::uint64_t result = 1;
    for (; power > 0; --power)
        result *= 10;
    return result;
}

} // namespace

// The product or quotient of two exact doubles is rounded once, to the nearest: that is
// the nearest double to the decimal whenever the units and the power of ten are exact.
double RoundedDecimal::nearestDouble() const
{
    constexpr int MaxUnitsDigits = std::numeric_limits<double>::digits10;
    double magnitude = 0;
    if (units == 0)
        magnitude = 0;
    else if (units <= MaxExactInteger && exponent >= 0 && exponent <= MaxExactPower)
        magnitude = double(units) * PowersOfTen[std::size_t(exponent)];
    else if (units <= MaxExactInteger && exponent < 0 && exponent >= -MaxExactPower)
        magnitude = double(units) / PowersOfTen[std::size_t(-exponent)];
    else if (exponent > MaxExactPower && exponent - MaxExactPower <= MaxUnitsDigits
             && units <= MaxExactInteger / wholePowerOfTen(exponent - MaxExactPower))
        magnitude = double(units * wholePowerOfTen(exponent - MaxExactPower)) * PowersOfTen[MaxExactPower];
    else
        magnitude = nearestDoubleByComparison(units, exponent);
    return negative ? -magnitude : magnitude;
}

int LeadingDigitPower(double value)
{
    const double magnitude = std::abs(value);
    int power = int(std::floor(std::log10(magnitude)));
    while (compareWithUnits(magnitude, 1, power) < 0)
        --power;
    while (compareWithUnits(magnitude, 1, power + 1) >= 0)
        ++power;
    return power;
}

RoundedDecimal RoundToSignificantDigits(double value, int significantDigits, int maxDecimals)
{
    if (value == 0)
        return {};
    const double magnitude = std::abs(value);
    const int exponent = std::max(LeadingDigitPower(magnitude) - significantDigits + 1, -maxDecimals);
    std::uint64_t units = wholeUnits(magnitude, exponent);
    if (compareWithHalfUnits(magnitude, 2 * units + 1, exponent) >= 0)
        ++units;
    if (units == wholePowerOfTen(significantDigits))
        return {value < 0, units / 10, exponent + 1};
    return {value < 0, units, exponent};
}

} // namespace meter
