#pragma once
#include "meter/meter_settings.h"
#include "meter/unit_texts.h"
#include <QString>
#include <optional>

namespace meter {

// A user's choice in one of the five parameter menus: the record is changed and the
// returned texts are shown until the meter's next report confirms or overrides them.
// Every function returns nullopt, and leaves the record untouched, for a row that is not in
// its menu (a click beside the items reports no row), so nothing unmeant is sent.
// Fields in std::optional are "unchanged" when nullopt.

struct FrequencyChoice {
    QString frequency;
};
// Row 0 (automatic) leaves FreqIndex 0; sending turns that into the 10 kHz default.
std::optional<FrequencyChoice> ChooseFrequency(TMeterSettings& settings, int row, const UnitTexts& texts);

struct LevelChoice {
    QString level;
};
// Row 0 (automatic) also sets LevelIndex 1, the level the meter starts from.
std::optional<LevelChoice> ChooseLevel(TMeterSettings& settings, int row, const UnitTexts& texts);

struct PrimaryChoice {
    QString primaryLetter;
    QString primaryAutoMark;
};
// Row 0 (automatic) shows "C" with the automatic mark until the meter names its choice.
std::optional<PrimaryChoice> ChoosePrimary(TMeterSettings& settings, int row);

struct SecondaryChoice {
    std::optional<QString> secondaryLetter;
    QString secondaryAutoMark;
    std::optional<QString> secondaryCircuitMark;
};
std::optional<SecondaryChoice> ChooseSecondary(TMeterSettings& settings, int row);

struct CircuitChoice {
    QString letter; // beside both the primary and the secondary value
};
std::optional<CircuitChoice> ChooseCircuit(TMeterSettings& settings, int row);

} // namespace meter
