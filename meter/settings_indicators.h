#pragma once
#include "meter/meter_settings.h"
#include "meter/unit_texts.h"
#include <QString>
#include <optional>

namespace meter {

// What the RLCD view's indicators show for a settings record. A nullopt field means the
// control keeps what it shows.
struct SettingsIndicators {
    QString L_RLC_avto;
    // Hold down: the hold button SP3 is down and recording by hand (SP1) is disabled.
    // Released: SP3 up, SP1 enabled unless the profile editor holds it.
    bool holdDown = false;
    bool soundDown = false;          // SP2
    std::optional<int> intervalItem; // CB1 row
    QString L_freq_RLC;
    QString L_Level_RLC;
    std::optional<QString> L_Prim_RLC;
    QString L_RQD_avto;
    std::optional<QString> L_Sec_RLC;
};

SettingsIndicators ShowSettings(const TMeterSettings& settings, qint32 testFreqHz, const UnitTexts& texts);

// The equivalent-circuit mark shown beside both readings, and the row of the circuit menu
// that goes with it.
struct CircuitIndicators {
    int circuitRow = 0;
    QString letter;
};

// nullopt for a circuit value that names no circuit: marks and list stay as they are.
std::optional<CircuitIndicators> ShowCircuit(const TMeterSettings& settings);

// The test level of a level index: its figure ("0.5") and whether it is an rms voltage.
// Indices 0 to 4; level 0 is the meter's automatic choice of 1.0 V rms.
struct TestLevel {
    const char* figure;
    bool rms;
    double volts;
};
std::optional<TestLevel> TestLevelOf(int levelIndex);

// The test level as value and unit ("0.5 " and the volt-rms unit); nullopt for an index
// that names no level.
std::optional<QString> LevelValueText(int levelIndex, const UnitTexts& texts);

} // namespace meter
