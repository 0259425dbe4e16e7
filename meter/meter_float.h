#pragma once
#include "meter/meter_frame.h"

namespace meter {

// The meter's 4-byte float at `offset` (0, 4 or 8), little-endian binary32 layout, but read
// with the plain formula for every exponent: an all-zero field is 2^-127, exponent 255 is
// just a large number. So every pattern gives a finite, non-zero value and no decoder can
// divide by zero or meet an infinity or NaN.
double DecodeMeterFloat(const TMeterFrame& frame, int offset);

} // namespace meter
