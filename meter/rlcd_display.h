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
    QString L_Prim_RLC;                         // primary parameter letter
    QString L_RLC_avto;                         // "A" when the meter picks the primary parameter
    QString L_SER_PER1;                         // circuit mark beside the primary value
    QString L_prim_n;                           // primary value
    QString L_Sec_RLC;                          // secondary parameter letter
    QString L_RQD_avto = QStringLiteral("A");   // "A" when the meter picks the secondary one
    QString L_SER_PER;                          // circuit mark beside the secondary value
    QString L_sec_n;                            // secondary value
    QString L_Level_RLC;                        // test level
    QString L_freq_RLC;                         // test frequency
    QString L_righ1, L_righ2, L_righ3, L_righ4; // side readings: |Z|, D, Q, phase

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
    QString primaryText() const { return L_Prim_RLC + u' ' + L_prim_n; }
    QString secondaryText() const { return L_Sec_RLC + u' ' + L_sec_n; }

    friend bool operator==(const RlcdDisplay&, const RlcdDisplay&) = default;
};

} // namespace meter
