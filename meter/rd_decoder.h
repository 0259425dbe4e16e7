#pragma once
#include "meter/meter_frame.h"
#include "meter/unit_texts.h"
#include <QString>
#include <optional>

namespace meter {

// The texts of the resistance/diode view for one RD frame. RD_V is nullopt for the range
// codes that have no test-voltage text: the label keeps its text.
struct RdReading {
    QString RD_Prim;
    QString RD_prim_R;
    QString RD_Auto;
    std::optional<QString> RD_V;
    QString J_prim;
    QString Joo;
    QString RD_J;
    QString RD_J1;
    int picture = 0; // row of ImList1: 0 and 1 the two diode orientations, 2 the resistor
};

RdReading DecodeRd(const TMeterFrame& frame, const UnitTexts& texts);

// A current given in microampere: micro below 10 μA, milli from there on.
QString FormatCurrent(double microampere, const UnitTexts& texts);

} // namespace meter
