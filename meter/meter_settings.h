#pragma once
#include "meter/measured_parameters.h"

#include <QtGlobal>
#include <array>

namespace meter {

// The meter's settings, one byte per field in the order the profile files store them.
// Values outside the listed meanings are kept as reported and simply match no case.
struct TMeterSettings {
    quint8 FreqAuto = 0;     // 1: the meter picks the test frequency
    quint8 FreqIndex = 0;    // see FreqIndexToHz
    quint8 PrimAuto = 0;     // 1: the meter picks the primary parameter
    quint8 PrimKind = 0;     // a PrimaryParameter: 1 R, 2 C, 3 L, 4 Z; 0 after the user chose automatic
    quint8 SecAuto = 0;      // 1: the meter picks the secondary parameter
    quint8 SecKind = 0;      // a SecondaryParameter: 0 none, 1 R, 2 Q, 3 D, 4 phase angle
    quint8 LevelAuto = 0;    // 1: the meter picks the test level
    quint8 LevelIndex = 0;   // 0, 1: 1.0 V rms; 2: 0.5 V rms; 3: 0.1 V rms; 4: 0.1 V
    quint8 SerPerAuto = 0;   // 1: the meter picks the equivalent circuit
    quint8 SerPer = 0;       // 1 series, 0 parallel
    quint8 IntervalCode = 0; // 3: 0.5 s, 2: 1 s, 1: 2 s
    quint8 Hold = 0;
    quint8 Negative = 0; // 1: a primary L or C value carries a leading "-"
    quint8 Sound = 0;
    quint8 Reserved = 0; // carried through profile files untouched

    PrimaryParameter primaryParameter() const { return PrimaryParameter(PrimKind); }
    SecondaryParameter secondaryParameter() const { return SecondaryParameter(SecKind); }

    static constexpr int kSize = 15;
    std::array<quint8, kSize> toBytes() const;
    static TMeterSettings fromBytes(const std::array<quint8, kSize>& bytes);

    friend bool operator==(const TMeterSettings&, const TMeterSettings&) = default;
};

inline constexpr int kNoTestFrequencyIndex = 0;
// Index 0 and the frequencies 1 to 14.
inline constexpr int kFrequencyIndexCount = 15;
inline constexpr qint32 kDefaultTestFreqHz = 10000;
// What the conversions between reactance and L or C use while no test frequency is known.
inline constexpr qint32 kFallbackTestFreqHz = 120;

// Hertz of a frequency index. Index 0 means the frame carries no test frequency; the
// conversions still need one and use kFallbackTestFreqHz. The meter's bit field also allows 15 to 31,
// which name no frequency: they are treated exactly like index 0, so L and C stay finite
// and no invented frequency is ever shown (see HasTestFrequency).
qint32 FreqIndexToHz(int freqIndex);

// False for index 0 and for the indices without a frequency: the frequency label and the
// side readings then stay blank.
bool HasTestFrequency(int freqIndex);

// Fields 1 to 14 take their defaults; the reserved byte keeps its value. The test frequency
// that goes with the defaults is kDefaultTestFreqHz.
void ResetSettings(TMeterSettings& settings);

// Row each parameter menu (frequency, primary, secondary, level, circuit) should select to
// mirror the record. A row beyond a menu's item count means no selection; that check belongs
// to the menu's owner.
struct MenuSelection {
    int frequencyRow = 0;
    int primaryRow = 0;
    int secondaryRow = 0;
    int levelRow = 0;
    int circuitRow = 0;

    friend bool operator==(const MenuSelection&, const MenuSelection&) = default;
};

MenuSelection SyncMenus(const TMeterSettings& settings);

} // namespace meter
