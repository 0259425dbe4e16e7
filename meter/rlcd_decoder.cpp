#include "meter/rlcd_decoder.h"
#include "meter/meter_float.h"
#include "meter/quantity_format.h"
#include "meter/reactance.h"
#include <cmath>
#include <numbers>

namespace meter {

namespace {

quint8 Bit(quint8 byte, int bit)
{
    return (byte >> bit) & 1;
}

quint8 Bits(quint8 byte, int lowest, int count)
{
    return quint8((byte >> lowest) & ((1 << count) - 1));
}

void UnpackSettings(const TMeterFrame& frame, TMeterSettings& s)
{
    const quint8 circuitAndFrequency = frame.bytes[8];
    const quint8 parameters = frame.bytes[9];
    const quint8 holdIntervalLevel = frame.bytes[10];
    const quint8 flags = frame.bytes[11];

    s.SerPerAuto = Bit(circuitAndFrequency, 7);
    s.SerPer = Bit(circuitAndFrequency, 6);
    s.FreqAuto = Bit(circuitAndFrequency, 5);
    s.FreqIndex = Bits(circuitAndFrequency, 0, 5);
    s.SecAuto = Bit(parameters, 7);
    s.SecKind = Bits(parameters, 4, 3);
    s.PrimAuto = Bit(parameters, 3);
    s.PrimKind = Bits(parameters, 0, 3);
    s.Hold = Bit(holdIntervalLevel, 7);
    s.IntervalCode = Bits(holdIntervalLevel, 4, 3);
    s.LevelAuto = Bit(holdIntervalLevel, 3);
    s.LevelIndex = Bits(holdIntervalLevel, 0, 3);
    s.Negative = Bit(flags, 1);
    s.Sound = Bit(flags, 0);
}

void ComputeImpedance(const TMeterFrame& frame, RlcdReading& r)
{
    const double rs = DecodeMeterFloat(frame, 0);
    const double xs = DecodeMeterFloat(frame, 4);
    r.SerR = std::fabs(rs);
    r.Theta = double(std::atan(static_cast<long double>(xs) / r.SerR) * 180 / std::numbers::pi_v<long double>);
    r.SerX = std::fabs(xs);
    const double squareSum = r.SerR * r.SerR + r.SerX * r.SerX;
    r.ParR = squareSum / r.SerR;
    r.ParX = squareSum / r.SerX;
    r.Z = std::sqrt(squareSum);
    r.D = r.SerR / r.SerX;
    r.Q = r.SerX / r.SerR;
}

struct CircuitTexts {
    QString resistance;
    QString inductance;
    QString capacitance;
    QString letter;
};

CircuitTexts ChosenCircuitTexts(const RlcdReading& r, bool series, const UnitTexts& texts)
{
    const double resistance = series ? r.SerR : r.ParR;
    const double reactance = series ? r.SerX : r.ParX;
    const double henry = InductanceFromReactance(reactance, r.TestFreqHz);
    const double farad = CapacitanceFromReactance(reactance, r.TestFreqHz);
    return {FormatResistance(resistance, texts), FormatInductance(henry, r.TestFreqHz, texts),
            FormatCapacitance(farad, r.TestFreqHz, texts), series ? QStringLiteral("S") : QStringLiteral("P")};
}

void SetPrimary(RlcdReading& r, const TMeterSettings& s, const CircuitTexts& circuit, const QString& zText)
{
    const PrimaryParameter primary = s.primaryParameter();
    if (primary == PrimaryParameter::Impedance) {
        r.primaryCircuitMark = QString();
        r.primaryValue = zText;
        return;
    }
    r.primaryCircuitMark = circuit.letter;
    const QString sign = s.Negative == 1 ? QStringLiteral("-") : QStringLiteral(" ");
    switch (primary) {
    case PrimaryParameter::Resistance: r.primaryValue = circuit.resistance; break;
    case PrimaryParameter::Capacitance: r.primaryValue = sign + circuit.capacitance; break;
    case PrimaryParameter::Inductance: r.primaryValue = sign + circuit.inductance; break;
    case PrimaryParameter::None:
    case PrimaryParameter::Impedance: break;
    }
}

void SetSecondary(RlcdReading& r, const TMeterSettings& s, const CircuitTexts& circuit, const QString& dText,
                  const QString& qText, const QString& angleText)
{
    r.secondaryCircuitMark = QStringLiteral(" ");
    switch (s.secondaryParameter()) {
    case SecondaryParameter::None: r.secondaryValue = QStringLiteral(" "); break;
    case SecondaryParameter::Resistance:
        r.secondaryCircuitMark = circuit.letter;
        r.secondaryValue = circuit.resistance;
        break;
    case SecondaryParameter::Quality: r.secondaryValue = qText; break;
    case SecondaryParameter::Dissipation: r.secondaryValue = dText; break;
    case SecondaryParameter::PhaseAngle: r.secondaryValue = angleText; break;
    }
}

std::optional<QString> LevelLogText(int levelIndex, const UnitTexts& texts)
{
    const auto value = LevelValueText(levelIndex, texts);
    if (value && levelIndex == 0)
        return QStringLiteral("A ") + *value;
    return value;
}

} // namespace

RlcdReading DecodeRlcd(const TMeterFrame& frame, TMeterSettings& settings, const UnitTexts& texts)
{
    RlcdReading r;
    UnpackSettings(frame, settings);
    r.menus = SyncMenus(settings);
    r.TestFreqHz = FreqIndexToHz(settings.FreqIndex);

    ComputeImpedance(frame, r);
    const CircuitTexts circuit = ChosenCircuitTexts(r, settings.SerPer == 1, texts);
    const QString zText = FormatResistance(r.Z, texts);
    const QString dText = FormatRatio(r.D);
    const QString qText = FormatRatio(r.Q);
    const QString angleText = FormatAngle(r.Theta);

    SetPrimary(r, settings, circuit, zText);
    SetSecondary(r, settings, circuit, dText, qText, angleText);
    r.LevelText = LevelLogText(settings.LevelIndex, texts);
    r.FreqText = FormatFrequency(r.TestFreqHz, texts);
    r.indicators = ShowSettings(settings, r.TestFreqHz, texts);

    if (HasTestFrequency(settings.FreqIndex)) {
        r.sideImpedance = QStringLiteral("Z ") + zText;
        r.sideDissipation = QStringLiteral("D ") + dText;
        r.sideQuality = QStringLiteral("Q ") + qText;
        r.sidePhase = QStringLiteral("\u019F ") + angleText;
    }
    return r;
}

} // namespace meter
