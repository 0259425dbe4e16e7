#pragma once
#include "meter/meter_frame.h"
#include "meter/unit_texts.h"
#include <QString>

namespace meter {

// The texts of the voltage view for one U frame.
struct UReading {
    QString mainReading;
    QString rmsReading;
    QString peakToPeakReading;
};

UReading DecodeU(const TMeterFrame& frame, const UnitTexts& texts);

} // namespace meter
