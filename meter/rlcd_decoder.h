#pragma once
#include "meter/meter_frame.h"
#include "meter/meter_settings.h"
#include "meter/settings_indicators.h"
#include "meter/unit_texts.h"
#include <QString>
#include <optional>

namespace meter {

// Everything one RLCD frame yields. Texts in std::optional are left as they are when
// nullopt (for a parameter kind the view has no text for).
struct RlcdReading {
    // Module values for the tolerance evaluation and the log, all in ohm.
    double SerR = 0;
    double SerX = 0;
    double ParR = 0;
    double ParX = 0;
    double Z = 0;     // |Z|
    double Theta = 0; // phase angle in degrees, -90..90, signed by the reactance
    double D = 0;
    double Q = 0;
    qint32 TestFreqHz = 0;
    QString FreqText;
    std::optional<QString> LevelText;

    MenuSelection menus;           // the five lists follow the meter
    SettingsIndicators indicators; // the meter's settings on the view

    std::optional<QString> primaryValue;
    QString primaryCircuitMark;
    QString secondaryCircuitMark;
    std::optional<QString> secondaryValue;
    QString sideImpedance; // the four side readings are all empty without a test frequency
    QString sideDissipation;
    QString sideQuality;
    QString sidePhase;
};

// Decodes a validated RLCD frame: fields 1 to 14 of `settings` are replaced by the frame's
// (the reserved byte is kept), then the reading is derived from the new record. Showing the
// view, the tolerance colour and logging are the window's.
RlcdReading DecodeRlcd(const TMeterFrame& frame, TMeterSettings& settings, const UnitTexts& texts);

} // namespace meter
