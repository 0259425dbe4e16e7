#include "meter/settings_indicators.h"
#include "meter/quantity_format.h"

namespace meter {

namespace {

QString AutoMark(quint8 automatic)
{
    return automatic == 1 ? QStringLiteral("A") : QStringLiteral(" ");
}

QString AutoPrefix(quint8 automatic)
{
    return automatic == 1 ? QStringLiteral("A ") : QStringLiteral(" ");
}

std::optional<int> IntervalItem(quint8 intervalCode)
{
    switch (intervalCode) {
    case 3: return 0; // 0.5 s
    case 2: return 1; // 1 s
    case 1: return 2; // 2 s
    default: return std::nullopt;
    }
}

} // namespace

std::optional<QString> LevelValueText(int levelIndex, const UnitTexts& texts)
{
    switch (levelIndex) {
    case 0:
    case 1: return QStringLiteral("1.0 ") + texts.voltRms;
    case 2: return QStringLiteral("0.5 ") + texts.voltRms;
    case 3: return QStringLiteral("0.1 ") + texts.voltRms;
    case 4: return QStringLiteral("0.1 ") + texts.volt;
    default: return std::nullopt;
    }
}

SettingsIndicators ShowSettings(const TMeterSettings& s, qint32 testFreqHz, const UnitTexts& texts)
{
    SettingsIndicators shown;
    shown.L_RLC_avto = AutoMark(s.PrimAuto);
    shown.holdDown = s.Hold == 1;
    shown.soundDown = s.Sound == 1;
    shown.intervalItem = IntervalItem(s.IntervalCode);
    if (HasTestFrequency(s.FreqIndex))
        shown.L_freq_RLC = AutoPrefix(s.FreqAuto) + FormatFrequency(testFreqHz, texts);
    shown.L_Level_RLC = AutoPrefix(s.LevelAuto) + LevelValueText(s.LevelIndex, texts).value_or(QString());
    shown.L_Prim_RLC = PrimaryLetter(s.primaryParameter());
    shown.L_RQD_avto = AutoMark(s.SecAuto);
    shown.L_Sec_RLC = SecondaryLetter(s.secondaryParameter());
    return shown;
}

std::optional<CircuitIndicators> ShowCircuit(const TMeterSettings& s)
{
    if (s.SerPerAuto == 1)
        return CircuitIndicators{0, QStringLiteral("A")};
    if (s.SerPer == 1)
        return CircuitIndicators{2, QStringLiteral("S")};
    if (s.SerPer == 0)
        return CircuitIndicators{1, QStringLiteral("P")};
    return std::nullopt;
}

} // namespace meter
