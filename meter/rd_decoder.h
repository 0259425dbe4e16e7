#pragma once
#include "meter/meter_frame.h"
#include "meter/unit_texts.h"
#include <QString>
#include <optional>

namespace meter {

// The texts of the resistance/diode view for one RD frame. The test voltage is nullopt for the range
// codes that have no test-voltage text: the label keeps its text.
struct RdReading {
    QString mainReading;
    QString quantityLetter;
    QString autoRangeMark;
    std::optional<QString> testVoltage;
    QString currentLetter;
    QString currentSubscript;
    QString currentValue;
    QString secondCurrent;
    int picture = 0; // of the component pictures: 0 and 1 the two diode orientations, 2 the resistor
};

RdReading DecodeRd(const TMeterFrame& frame, const UnitTexts& texts);

// A current given in microampere: micro below 10 μA, milli from there on.
QString FormatCurrent(double microampere, const UnitTexts& texts);

} // namespace meter
