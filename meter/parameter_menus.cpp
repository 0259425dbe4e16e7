#include "meter/parameter_menus.h"
#include <array>

namespace meter {

namespace {

// The kilohertz figures of frequency rows 3 to 14; row 11 is the meter's 75 kHz.
constexpr std::array<const char*, 12> kKilohertzRows = {"1 ",  "10 ", "100 ", "20 ", "30 ", "40 ",
                                                        "50 ", "60 ", "75 ",  "80 ", "90 ", "150 "};
constexpr int kFirstKilohertzRow = 3;
constexpr int kFrequencyRows = kFirstKilohertzRow + int(kKilohertzRows.size());

QString FrequencyRowText(int row, const UnitTexts& texts)
{
    switch (row) {
    case 0: return QStringLiteral("A10 ") + texts.kilo + texts.hertz;
    case 1: return QStringLiteral("100 ") + texts.hertz;
    case 2: return QStringLiteral("120 ") + texts.hertz;
    default: return QLatin1String(kKilohertzRows[std::size_t(row - kFirstKilohertzRow)]) + texts.kilo + texts.hertz;
    }
}

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
    static const std::array<QString, 4> kLevelFigures = {QStringLiteral("A1.0"), QStringLiteral("1.0"),
                                                          QStringLiteral("0.5"), QStringLiteral("0.1")};
    if (!InMenu(row, int(kLevelFigures.size())))
        return std::nullopt;
    s.LevelAuto = row == 0 ? 1 : 0;
    s.LevelIndex = quint8(row == 0 ? 1 : row);
    return LevelChoice{kLevelFigures[std::size_t(row)] + texts.voltRms};
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
        choice.L_RQD_avto = QStringLiteral("A");
        return choice;
    }
    choice.L_Sec_RLC = SecondaryLetter(parameter);
    // Only a secondary resistance has a circuit of its own; Q and D clear the old mark.
    if (parameter != SecondaryParameter::Resistance)
        choice.L_SER_PER = QStringLiteral(" ");
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
