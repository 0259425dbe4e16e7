#include "meter/meter_float.h"
#include <cmath>

namespace meter {

double DecodeMeterFloat(const TMeterFrame& frame, int offset)
{
    const auto byteAt = [&](int index) -> quint32 { return frame.bytes[std::size_t(offset + index)]; };
    const quint32 b0 = byteAt(0);
    const quint32 b1 = byteAt(1);
    const quint32 b2 = byteAt(2);
    const quint32 b3 = byteAt(3);

    const bool negative = (b3 & 0x80) != 0;
    const int exponent = int((b3 & 0x7F) << 1 | b2 >> 7);
    const quint32 fraction = b0 | b1 << 8 | (b2 & 0x7F) << 16;

    const long double mantissa = 1.0L + std::ldexp(static_cast<long double>(fraction), -23);
    const long double magnitude = std::ldexp(mantissa, exponent - 127);
    return double(negative ? -magnitude : magnitude);
}

} // namespace meter
