#pragma once
#include "meter/rlcd_decoder.h"
#include "recording/reference.h"

#include <QString>

#include <optional>

namespace recording {

// Verdict of one reading against the reference box.
enum VerdictCode : int {
    VerdictPass = 0,
    VerdictPrimaryOut = 1,
    VerdictSecondaryOut = 2,
    VerdictBothOut = 3,
    // Nominal or tolerance unreadable, a nominal of 0, a deviation past every number, or a
    // primary tolerance that is a single character other than ">" and "<".
    VerdictUnreadable = 20,
};

// The reading the reference is judged against: the last RLCD reading's values in ohm
// (magnitudes), its test frequency and its circuit.
struct ImpedanceReading {
    double serR = 0, serX = 0, parR = 0, parX = 0;
    int testFreqHz = 0;
    int serPer = 0; // 1 series, 0 parallel
};

// Percent deviations of the last evaluation in which each box was on. A box that is off
// leaves its deviation as it was, so the caller keeps these between readings.
struct Deviations {
    double primary = 0;
    double secondary = 0;
};

// The judgement of a reading against the reference: its verdict, the deviations (a box
// that is off keeps the last one it had) and which tolerances were on.
struct ReadingJudgement {
    int verdict = VerdictPass; // a VerdictCode
    Deviations deviations;
    bool primaryOn = false;
    bool secondaryOn = false;
};

// The values of an RLCD reading that a reference judges, with the test frequency and the
// circuit they were measured at.
ImpedanceReading ImpedanceOf(const meter::RlcdReading& reading, qint32 testFreqHz, int serPer);

// Judges a reading against the reference: its verdict, which tolerances were on, and the
// deviations, where a box that is off keeps the one the previous judgement had.
ReadingJudgement JudgeReading(const ReferenceValues& reference, const ImpedanceReading& reading,
                              const ReadingJudgement& previous);

// The percent deviation of a measured value of the reference's quantity (ohm, henry or
// farad) from its nominal, as the judgement computes it from the reactances: for R and L
// (measured - nominal) / |nominal| × 100, for C (1 - Cnominal/Cmeasured) × 100. None without
// a nominal, for a nominal or a measured C of 0, and for a result that is no finite number.
std::optional<double> PrimaryDeviationPercent(const PrimaryReferenceValue& reference, double measured);

// Compares the reading with the nominal values and returns a VerdictCode. Updates the
// deviations of the boxes that are on, except where the evaluation stops before it could
// compute them.
int EvaluateTolerance(const ReferenceValues& reference, const ImpedanceReading& reading, Deviations& deviations);

} // namespace recording
