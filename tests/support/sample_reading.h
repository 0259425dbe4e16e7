#pragma once
// One typical reading as the window hands it to the log: a rejected 1 kΩ resistor in
// series at 1 kHz with both tolerances on, so that every cell of its row holds a value.
#include "recording/append_log_row.h"
#include "recording/log_cell_text.h"

inline recording::LogRowInput SampleReading()
{
    recording::LogRowInput in;
    in.timestamp = QDateTime(QDate(2024, 3, 5), QTime(14, 2, 9));
    in.primaryLetter = "R";
    in.primaryValue = "1.012 kΩ";
    in.secondaryLetter = "Q";
    in.secondaryValue = "56.00";
    in.serPer = 1;
    in.seriesText = "S";
    in.parallelText = "P";
    in.freqIndex = 3;
    in.freqText = "1kHz";
    in.levelText = "1.0Vrms";
    in.verdict = 1;
    in.primaryDeviation = 1.2;
    in.secondaryDeviation = 12.3456;
    in.primaryToleranceOn = true;
    in.secondaryToleranceOn = true;
    in.values.primaryKind = meter::PrimaryParameter::Resistance;
    in.values.primary = recording::MeasuredValue{1012, false};
    in.values.secondaryKind = meter::SecondaryParameter::Quality;
    in.values.secondary = recording::MeasuredValue{56, false};
    in.values.series = true;
    in.values.frequencyHz = 1000;
    in.values.levelV = 1.0;
    return in;
}

// The marks of the designed language with a decimal comma, as on a German system.
inline recording::LogDisplayTexts SampleDisplayTexts()
{
    return {"+", "-", u',', u':'};
}
