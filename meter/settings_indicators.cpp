#include "meter/settings_indicators.h"
#include "meter/quantity_format.h"
#include "meter/report_interval.h"

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

} // namespace

std::optional<TestLevel> TestLevelOf(int levelIndex)
{
    switch (levelIndex) {
    case 0:
    case 1: return TestLevel{"1.0", true, 1.0};
    case 2: return TestLevel{"0.5", true, 0.5};
    case 3: return TestLevel{"0.1", true, 0.1};
    case 4: return TestLevel{"0.1", false, 0.1};
    default: return std::nullopt;
    }
}

std::optional<QString> LevelValueText(int levelIndex, const UnitTexts& texts)
{
    const auto level = TestLevelOf(levelIndex);
    if (!level)
        return std::nullopt;
    return QLatin1String(level->figure) + u' ' + (level->rms ? texts.voltRms : texts.volt);
}

SettingsIndicators ShowSettings(const TMeterSettings& s, qint32 testFreqHz, const UnitTexts& texts)
{
    SettingsIndicators shown;
    shown.primaryAutoMark = AutoMark(s.PrimAuto);
    shown.holdDown = s.Hold == 1;
    shown.soundDown = s.Sound == 1;
    shown.intervalItem = ReportIntervalItem(s.IntervalCode);
    if (HasTestFrequency(s.FreqIndex))
        shown.frequency = AutoPrefix(s.FreqAuto) + FormatFrequency(testFreqHz, texts);
    shown.level = AutoPrefix(s.LevelAuto) + LevelValueText(s.LevelIndex, texts).value_or(QString());
    shown.primaryLetter = PrimaryLetter(s.primaryParameter());
    shown.secondaryAutoMark = AutoMark(s.SecAuto);
    shown.secondaryLetter = SecondaryLetter(s.secondaryParameter());
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
