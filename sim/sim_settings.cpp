#include "sim/sim_settings.h"

#include <array>

namespace sim {

int testFrequencyHz(int freqIndex)
{
    // Not ascending: index 5 is 100 kHz, then 20 kHz to 150 kHz.
    static constexpr std::array<int, kFrequencyCount> hertz = {120,   100,   120,   1000,  10000, 100000, 20000, 30000,
                                                               40000, 50000, 60000, 75000, 80000, 90000,  150000};
    return freqIndex >= 0 && freqIndex < kFrequencyCount ? hertz[std::size_t(freqIndex)] : hertz[0];
}

bool isKnownIntervalCode(int intervalCode)
{
    return intervalCode >= 1 && intervalCode <= 3;
}

int reportIntervalMs(int intervalCode)
{
    switch (intervalCode) {
    case 3: return 500;
    case 1: return 2000;
    default: return 1000;
    }
}

} // namespace sim
