#include "meter/rlcd_display.h"

namespace meter {
namespace {

void setIfGiven(QString& field, const std::optional<QString>& text)
{
    if (text)
        field = *text;
}

} // namespace

void RlcdDisplay::show(const RlcdReading& reading)
{
    primaryCircuitMark = reading.primaryCircuitMark;
    setIfGiven(primaryValue, reading.primaryValue);
    secondaryCircuitMark = reading.secondaryCircuitMark;
    setIfGiven(secondaryValue, reading.secondaryValue);
    show(reading.indicators);
    sideImpedance = reading.sideImpedance;
    sideDissipation = reading.sideDissipation;
    sideQuality = reading.sideQuality;
    sidePhase = reading.sidePhase;
}

void RlcdDisplay::show(const SettingsIndicators& indicators)
{
    primaryAutoMark = indicators.primaryAutoMark;
    frequency = indicators.frequency;
    level = indicators.level;
    setIfGiven(primaryLetter, indicators.primaryLetter);
    secondaryAutoMark = indicators.secondaryAutoMark;
    setIfGiven(secondaryLetter, indicators.secondaryLetter);
}

void RlcdDisplay::show(const CircuitIndicators& circuit)
{
    secondaryCircuitMark = circuit.letter;
    primaryCircuitMark = circuit.letter;
}

void RlcdDisplay::show(const FrequencyChoice& choice)
{
    frequency = choice.frequency;
}

void RlcdDisplay::show(const LevelChoice& choice)
{
    level = choice.level;
}

void RlcdDisplay::show(const PrimaryChoice& choice)
{
    primaryLetter = choice.primaryLetter;
    primaryAutoMark = choice.primaryAutoMark;
}

void RlcdDisplay::show(const SecondaryChoice& choice)
{
    setIfGiven(secondaryLetter, choice.secondaryLetter);
    secondaryAutoMark = choice.secondaryAutoMark;
    setIfGiven(secondaryCircuitMark, choice.secondaryCircuitMark);
}

void RlcdDisplay::show(const CircuitChoice& choice)
{
    secondaryCircuitMark = choice.letter;
    primaryCircuitMark = choice.letter;
}

void RlcdDisplay::clearReadings()
{
    for (QString* reading :
         {&primaryValue, &secondaryValue, &sideImpedance, &sideDissipation, &sideQuality, &sidePhase})
        reading->clear();
}

} // namespace meter
