#pragma once
#include "meter/parameter_menus.h"
#include "meter/rlcd_decoder.h"
#include "meter/settings_indicators.h"

#include <QString>

namespace meter {

// What the RLCD view shows, field by field: the meter's last report, with the user's
// provisional choices written over it until the next report confirms or overrides them.
// Each show() writes the fields its source names and leaves the others as they were, so
// the view is always the sum of what was shown last.
struct RlcdDisplay {
    QString primaryLetter;                                          // primary parameter letter
    QString primaryAutoMark;                                        // "A" when the meter picks the primary parameter
    QString primaryCircuitMark;                                     // circuit mark beside the primary value
    QString primaryValue;                                           // primary value
    QString secondaryLetter;                                        // secondary parameter letter
    QString secondaryAutoMark = QStringLiteral("A");                // "A" when the meter picks the secondary one
    QString secondaryCircuitMark;                                   // circuit mark beside the secondary value
    QString secondaryValue;                                         // secondary value
    QString level;                                                  // test level
    QString frequency;                                              // test frequency
    QString sideImpedance, sideDissipation, sideQuality, sidePhase; // side readings: |Z|, D, Q, phase

    void show(const RlcdReading& reading);
    void show(const SettingsIndicators& indicators);
    void show(const CircuitIndicators& circuit);
    void show(const FrequencyChoice& choice);
    void show(const LevelChoice& choice);
    void show(const PrimaryChoice& choice);
    void show(const SecondaryChoice& choice);
    void show(const CircuitChoice& choice);
    // The link is down: the readings go, the settings stay.
    void clearReadings();

    // The reading as the table logs it: letter, a blank, value.
    QString primaryText() const { return primaryLetter + u' ' + primaryValue; }
    QString secondaryText() const { return secondaryLetter + u' ' + secondaryValue; }

    friend bool operator==(const RlcdDisplay&, const RlcdDisplay&) = default;
};

} // namespace meter
