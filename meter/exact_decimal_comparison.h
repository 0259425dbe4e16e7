#pragma once
#include <cstdint>

namespace meter {

// The sign (-1, 0 or 1) of significand × 2^binaryExponent − units × 10^decimalExponent,
// worked out on whole numbers of any size, so nothing is rounded on the way. For the powers
// of ten that no double holds exactly, where floating point cannot decide on which side of
// a decimal a value lies.
int CompareWithDecimalExactly(std::uint64_t significand, int binaryExponent, std::uint64_t units, int decimalExponent);

} // namespace meter
