#pragma once
#include <cstdint>

namespace sim {

// The settings the simulated meter works with, field for field as it reports them in the
// settings bytes of an impedance frame. Automatic choices keep their flag here; the kind
// the meter picked is worked out when a frame is reported.
struct MeterSettings {
    uint8_t FreqAuto = 1;
    uint8_t FreqIndex = 4;
    uint8_t PrimAuto = 1;
    uint8_t PrimKind = 2;
    uint8_t SecAuto = 1;
    uint8_t SecKind = 1;
    uint8_t LevelAuto = 0;
    uint8_t LevelIndex = 1;
    uint8_t SerPerAuto = 1;
    uint8_t SerPer = 0;
    uint8_t IntervalCode = 2;
    uint8_t Hold = 0;
    uint8_t Negative = 0;
    uint8_t Sound = 1;

    bool operator==(const MeterSettings&) const = default;
};

// Primary kinds: 1 R, 2 C, 3 L, 4 Z. Secondary kinds: 0 none, 1 R, 2 Q, 3 D, 4 angle.
inline constexpr uint8_t kPrimR = 1, kPrimC = 2, kPrimL = 3, kPrimZ = 4;
inline constexpr uint8_t kSecNone = 0, kSecR = 1, kSecQ = 2, kSecD = 3, kSecAngle = 4;

// Test frequency in hertz of a frequency index 0..14; index 0 carries no frequency and
// counts as 120 Hz.
int testFrequencyHz(int freqIndex);
inline constexpr int kFrequencyCount = 15;

// Report interval of an interval code: 3 = 0.5 s, 2 = 1 s, 1 = 2 s.
int reportIntervalMs(int intervalCode);
bool isKnownIntervalCode(int intervalCode);

} // namespace sim
