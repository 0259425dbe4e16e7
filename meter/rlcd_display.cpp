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
    L_SER_PER1 = reading.L_SER_PER1;
    setIfGiven(L_prim_n, reading.L_prim_n);
    L_SER_PER = reading.L_SER_PER;
    setIfGiven(L_sec_n, reading.L_sec_n);
    show(reading.indicators);
    L_righ1 = reading.L_righ1;
    L_righ2 = reading.L_righ2;
    L_righ3 = reading.L_righ3;
    L_righ4 = reading.L_righ4;
}

void RlcdDisplay::show(const SettingsIndicators& indicators)
{
    L_RLC_avto = indicators.L_RLC_avto;
    L_freq_RLC = indicators.L_freq_RLC;
    L_Level_RLC = indicators.L_Level_RLC;
    setIfGiven(L_Prim_RLC, indicators.L_Prim_RLC);
    L_RQD_avto = indicators.L_RQD_avto;
    setIfGiven(L_Sec_RLC, indicators.L_Sec_RLC);
}

void RlcdDisplay::show(const CircuitIndicators& circuit)
{
    L_SER_PER = circuit.letter;
    L_SER_PER1 = circuit.letter;
}

void RlcdDisplay::show(const FrequencyChoice& choice)
{
    L_freq_RLC = choice.L_freq_RLC;
}

void RlcdDisplay::show(const LevelChoice& choice)
{
    L_Level_RLC = choice.L_Level_RLC;
}

void RlcdDisplay::show(const PrimaryChoice& choice)
{
    L_Prim_RLC = choice.L_Prim_RLC;
    L_RLC_avto = choice.L_RLC_avto;
}

void RlcdDisplay::show(const SecondaryChoice& choice)
{
    setIfGiven(L_Sec_RLC, choice.L_Sec_RLC);
    L_RQD_avto = choice.L_RQD_avto;
    setIfGiven(L_SER_PER, choice.L_SER_PER);
}

void RlcdDisplay::show(const CircuitChoice& choice)
{
    L_SER_PER = choice.letter;
    L_SER_PER1 = choice.letter;
}

void RlcdDisplay::clearReadings()
{
    for (QString* reading : {&L_prim_n, &L_sec_n, &L_righ1, &L_righ2, &L_righ3, &L_righ4})
        reading->clear();
}

} // namespace meter
