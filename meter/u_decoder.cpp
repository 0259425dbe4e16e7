#include "meter/u_decoder.h"
#include "meter/decimal_format.h"
#include "meter/meter_float.h"
#include <cmath>

namespace meter {

namespace {
QString Volts(double volts, const UnitTexts& texts)
{
    return FormatDecimal(volts, 4, 3, true) + u' ' + texts.volt;
}
} // namespace

UReading DecodeU(const TMeterFrame& frame, const UnitTexts& texts)
{
    const double rms = std::fabs(DecodeMeterFloat(frame, 0));
    const double peakToPeak = std::fabs(DecodeMeterFloat(frame, 4));
    const double main = DecodeMeterFloat(frame, 8); // the only signed voltage

    return {QStringLiteral("V=") + Volts(main, texts), u'V' + texts.rms + u'=' + Volts(rms, texts),
            u'V' + texts.peakToPeak + u'=' + Volts(peakToPeak, texts)};
}

} // namespace meter
