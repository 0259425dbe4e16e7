#pragma once
#include <cstdint>
#include <limits>

namespace meter {

// A number rounded to a whole count of a power of ten, units × 10^exponent, with a sign of
// its own, so that a negative value rounded to zero stays negative ("-0.00").
struct RoundedDecimal {
    bool negative = false;
    std::uint64_t units = 0;
    int exponent = 0;

    // The double nearest to this decimal, a double exactly halfway going to the even one, as
    // a decimal number is read; infinite beyond the largest double.
    double nearestDouble() const;
    bool operator==(const RoundedDecimal&) const = default;
};

// The power of ten of the leading digit of a finite value that is not zero, decided on the
// value's exact binary value: 0 for 1 up to 9.99..., -1 for 0.1 up to 0.99..., 308 for the
// largest double.
int LeadingDigitPower(double value);

// A finite value rounded to at most `significantDigits` significant digits (1 to 15) and no
// digit below 10^-maxDecimals, halves away from zero as the program formats numbers.
// Decided on the double's exact binary value: 0.125 to two decimals is 0.13, while 2.675 (a
// little below 2.675 as a double) is 2.67. A value that rounds up to the next power of ten
// still has `significantDigits` digits: 9999.7 to four digits is 1000 × 10^1. Zero is a
// positive zero.
RoundedDecimal RoundToSignificantDigits(double value, int significantDigits,
                                        int maxDecimals = std::numeric_limits<int>::max());

} // namespace meter
