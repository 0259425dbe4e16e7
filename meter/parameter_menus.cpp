#include "meter/parameter_menus.h"

#include "meter/quantity_format.h"
#include "meter/settings_indicators.h"

namespace meter {

namespace {

// The frequency menu lists the frequency indices in order; row 0, automatic, shows the
// frequency the meter starts from.
constexpr int kFrequencyRows = kFrequencyIndexCount;

QString FrequencyRowText(int row, const UnitTexts& texts)
{
    if (row == 0)
        return u'A' + FormatFrequency(kDefaultTestFreqHz, texts);
    return FormatFrequency(FreqIndexToHz(row), texts);
}

// The level menu: automatic, then levels 1 to 3.
constexpr int kLevelRows = 4;
constexpr int kAutomaticLevelIndex = 1;

// The primary and secondary menus list the meter's codes in order, automatic first as code
// 0; the secondary menu stops before the phase angle.
constexpr int kPrimaryRows = int(PrimaryParameter::Impedance) + 1;
constexpr int kSecondaryRows = int(SecondaryParameter::Dissipation) + 1;

bool InMenu(int row, int rowCount)
{
    return row >= 0 && row < rowCount;
}

} // namespace

std::optional<FrequencyChoice> ChooseFrequency(TMeterSettings& s, int row, const UnitTexts& texts)
{
    if (!InMenu(row, kFrequencyRows))
        return std::nullopt;
    s.FreqAuto = row == 0 ? 1 : 0;
    s.FreqIndex = quint8(row);
    return FrequencyChoice{FrequencyRowText(row, texts)};
}

std::optional<LevelChoice> ChooseLevel(TMeterSettings& s, int row, const UnitTexts& texts)
{
    if (!InMenu(row, kLevelRows))
        return std::nullopt;
    const bool automatic = row == 0;
    s.LevelAuto = automatic ? 1 : 0;
    s.LevelIndex = quint8(automatic ? kAutomaticLevelIndex : row);
    const QString prefix = automatic ? QStringLiteral("A") : QString();
    return LevelChoice{prefix + QLatin1String(TestLevelOf(s.LevelIndex)->figure) + texts.voltRms};
}

std::optional<PrimaryChoice> ChoosePrimary(TMeterSettings& s, int row)
{
    if (!InMenu(row, kPrimaryRows))
        return std::nullopt;
    const auto parameter = PrimaryParameter(row);
    s.PrimAuto = parameter == PrimaryParameter::None ? 1 : 0;
    s.PrimKind = quint8(parameter);
    if (parameter == PrimaryParameter::None)
        return PrimaryChoice{*PrimaryLetter(PrimaryParameter::Capacitance), QStringLiteral("A")};
    return PrimaryChoice{*PrimaryLetter(parameter), QStringLiteral(" ")};
}

std::optional<SecondaryChoice> ChooseSecondary(TMeterSettings& s, int row)
{
    if (!InMenu(row, kSecondaryRows))
        return std::nullopt;
    const auto parameter = SecondaryParameter(row);
    s.SecAuto = parameter == SecondaryParameter::None ? 1 : 0;
    s.SecKind = quint8(parameter);

    SecondaryChoice choice;
    if (parameter == SecondaryParameter::None) {
        choice.secondaryAutoMark = QStringLiteral("A");
        return choice;
    }
    choice.secondaryLetter = SecondaryLetter(parameter);
    // Only a secondary resistance has a circuit of its own; Q and D clear the old mark.
    if (parameter != SecondaryParameter::Resistance)
        choice.secondaryCircuitMark = QStringLiteral(" ");
    return choice;
}

std::optional<CircuitChoice> ChooseCircuit(TMeterSettings& s, int row)
{
    switch (row) {
    case 0:
        s.SerPer = 1;
        s.SerPerAuto = 1;
        return CircuitChoice{QStringLiteral("A")};
    case 1:
        s.SerPerAuto = 0;
        s.SerPer = 0;
        return CircuitChoice{QStringLiteral("P")};
    case 2:
        s.SerPerAuto = 0;
        s.SerPer = 1;
        return CircuitChoice{QStringLiteral("S")};
    default: return std::nullopt;
    }
}

} // namespace meter
