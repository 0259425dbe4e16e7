#include "meter/rd_decoder.h"
#include "meter/decimal_format.h"
#include "meter/meter_float.h"
#include "meter/quantity_format.h"
#include <cmath>

namespace meter {

namespace {

constexpr int kAutoRange = 0;
constexpr int kDiodeRange = 1;
constexpr int kResistorPicture = 2;
// In the diode range a first current this small is noise, not a measurement.
constexpr double kLeastDiodeRangeCurrent = 200;

QString FormatMeasured(double value)
{
    return FormatDecimal(value, 4, 3, true);
}

void SetFirstCurrent(RdReading& rd, int rangeCode, double current, const UnitTexts& texts)
{
    if (rangeCode == kDiodeRange && current < kLeastDiodeRangeCurrent) {
        rd.currentLetter = rd.currentSubscript = rd.currentValue = QStringLiteral(" ");
        return;
    }
    rd.currentSubscript = rangeCode == kAutoRange ? texts.currentSubscriptAutoRange : texts.currentSubscriptFixedRange;
    rd.currentLetter = QStringLiteral("I");
    rd.currentValue = u'=' + FormatCurrent(current, texts);
}

std::optional<QString> ResistanceRangeVoltage(int rangeCode, const UnitTexts& texts)
{
    switch (rangeCode) {
    case 0: return QStringLiteral("A 1.3 ") + texts.volt;
    case 2: return QStringLiteral(" 1.3 ") + texts.volt;
    case 3: return QStringLiteral(" 0.1 ") + texts.volt;
    default: return std::nullopt;
    }
}

void SetMainValue(RdReading& rd, int pictureCode, int rangeCode, double mainValue, const UnitTexts& texts)
{
    if (pictureCode < kResistorPicture) {
        // Diode test: the main value is the forward voltage in millivolts.
        rd.testVoltage = (rangeCode == kDiodeRange ? QStringLiteral(" 3.2 ") : QStringLiteral("A 3.2 ")) + texts.volt;
        rd.quantityLetter = QStringLiteral("D");
        rd.mainReading = QStringLiteral("  V=") + FormatMeasured(mainValue / 1000) + u' ' + texts.volt;
        rd.picture = pictureCode;
    } else if (rangeCode == kDiodeRange) {
        rd.testVoltage = QStringLiteral(" 3.2 ") + texts.volt;
        rd.quantityLetter = QStringLiteral("D");
        rd.mainReading = texts.junctionFound;
        rd.picture = pictureCode & 1;
    } else {
        rd.testVoltage = ResistanceRangeVoltage(rangeCode, texts);
        rd.picture = kResistorPicture;
        rd.quantityLetter = QStringLiteral("R");
        rd.mainReading = FormatResistance(mainValue, texts);
    }
}

} // namespace

QString FormatCurrent(double microampere, const UnitTexts& texts)
{
    if (microampere < 10)
        return FormatMeasured(microampere) + u' ' + texts.micro + u'A';
    return FormatMeasured(microampere / 1000) + u' ' + texts.milli + u'A';
}

RdReading DecodeRd(const TMeterFrame& frame, const UnitTexts& texts)
{
    const double mainValue = std::fabs(DecodeMeterFloat(frame, 0));
    const double firstCurrent = std::fabs(DecodeMeterFloat(frame, 4));
    const double secondCurrent = std::fabs(DecodeMeterFloat(frame, 8));
    const quint8 layout = frame.bytes[14];
    const int pictureCode = layout & 0x0F;
    const bool hasSecondCurrent = (layout & 0x10) != 0;
    const int rangeCode = layout >> 5;

    RdReading rd;
    rd.autoRangeMark = rangeCode == kAutoRange ? QStringLiteral("A") : QStringLiteral(" ");
    SetFirstCurrent(rd, rangeCode, firstCurrent, texts);
    rd.secondCurrent = hasSecondCurrent
        ? u'I' + texts.currentSubscriptFixedRange + u'=' + FormatCurrent(secondCurrent, texts)
        : QStringLiteral(" ");
    SetMainValue(rd, pictureCode, rangeCode, mainValue, texts);
    return rd;
}

} // namespace meter
