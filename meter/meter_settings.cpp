#include "meter/meter_settings.h"

namespace meter {

namespace {
// Not ascending: index 5 is 100 kHz, 6 to 14 run from 20 kHz up, and 11 is 75 kHz. Index 0
// names no frequency and holds the fallback.
constexpr std::array<qint32, kFrequencyIndexCount> kFrequencyTable = {
    kFallbackTestFreqHz, 100, 120, 1000, 10000, 100000, 20000, 30000, 40000, 50000, 60000, 75000, 80000, 90000, 150000};

int ListRow(quint8 automatic, int manualRow)
{
    return automatic == 1 ? 0 : manualRow;
}
} // namespace

std::array<quint8, TMeterSettings::kSize> TMeterSettings::toBytes() const
{
    return {FreqAuto,   FreqIndex, PrimAuto,     PrimKind, SecAuto,  SecKind, LevelAuto, LevelIndex,
            SerPerAuto, SerPer,    IntervalCode, Hold,     Negative, Sound,   Reserved};
}

TMeterSettings TMeterSettings::fromBytes(const std::array<quint8, kSize>& b)
{
    return {b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13], b[14]};
}

qint32 FreqIndexToHz(int freqIndex)
{
    if (!HasTestFrequency(freqIndex))
        return kFrequencyTable[kNoTestFrequencyIndex];
    return kFrequencyTable[std::size_t(freqIndex)];
}

bool HasTestFrequency(int freqIndex)
{
    return freqIndex > kNoTestFrequencyIndex && freqIndex < int(kFrequencyTable.size());
}

void ResetSettings(TMeterSettings& settings)
{
    const quint8 reserved = settings.Reserved;
    settings = {1, 4, 1, 2, 1, 1, 0, 1, 1, 0, 2, 0, 0, 1, reserved};
}

MenuSelection SyncMenus(const TMeterSettings& s)
{
    return {ListRow(s.FreqAuto, s.FreqIndex), ListRow(s.PrimAuto, s.PrimKind), ListRow(s.SecAuto, s.SecKind),
            ListRow(s.LevelAuto, s.LevelIndex), ListRow(s.SerPerAuto, s.SerPer + 1)};
}

} // namespace meter
