#pragma once
#include <cstdint>

namespace sim {

// The meter's measurement modes as carried in bits 0-3 of a frame's mode byte.
enum class MeterMode : uint8_t { Rlcd = 1, Rd = 2, U = 3 };

// One impedance reading: series resistance and signed series reactance, in ohm.
struct RlcdReading {
    double rs = 0;
    double xs = 0;
};

// Picture codes of the RD mode: the two diode orientations and the resistor.
enum class RdPicture : uint8_t { DiodeForward = 0, DiodeReverse = 1, Resistor = 2 };

// One resistance or diode reading. The main value is ohm for a resistor and millivolts
// for a diode; currents are microampere. Range code 0 is the automatic range.
struct RdReading {
    double mainValue = 0;
    double firstCurrent = 0;
    double secondCurrent = 0;
    bool hasSecondCurrent = false;
    RdPicture picture = RdPicture::Resistor;
    uint8_t rangeCode = 0;
};

// One voltage reading in volt; only the main voltage is signed.
struct UReading {
    double rms = 0;
    double peakToPeak = 0;
    double main = 0;
};

} // namespace sim
