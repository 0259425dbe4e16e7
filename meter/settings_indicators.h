#pragma once
#include "meter/meter_settings.h"
#include "meter/unit_texts.h"
#include <QString>
#include <optional>

namespace meter {

// What the RLCD view's indicators show for a settings record. A nullopt field means the
// control keeps what it shows.
struct SettingsIndicators {
    QString primaryAutoMark;
    // Hold down: the hold button is down and recording by hand is not offered.
    // Released: the hold button up, recording offered unless profiles are being edited.
    bool holdDown = false;
    bool soundDown = false;          // the sound button
    std::optional<int> intervalItem; // row of the report interval box
    QString frequency;
    QString level;
    std::optional<QString> primaryLetter;
    QString secondaryAutoMark;
    std::optional<QString> secondaryLetter;
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
