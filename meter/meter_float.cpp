#include "meter_float.h"
#include <cmath>

namespace meter {

double DecodeMeterFloat(const TMeterFrame& frame, int offset)
{
    const quint32 b0 = frame.bytes[offset];
    const quint32 b1 = frame.bytes[offset + 1];
    const quint32 b2 = frame.bytes[offset + 2];
    const quint32 b3 = frame.bytes[offset + 3];

    const bool negative = (b3 & 0x80) != 0;
    const int exponent = int((b3 & 0x7F) << 1 | b2 >> 7);
    const quint32 fraction = b0 | b1 << 8 | (b2 & 0x7F) << 16;

    const long double mantissa = 1.0L + std::ldexp(static_cast<long double>(fraction), -23);
    const long double magnitude = std::ldexp(mantissa, exponent - 127);
    return double(negative ? -magnitude : magnitude);
}

} // namespace meter
