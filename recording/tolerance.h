#pragma once
#include <QString>
#include <optional>

namespace recording {

// Verdict of one reading against the reference box.
enum VerdictCode : int {
    VerdictPass = 0,
    VerdictPrimaryOut = 1,
    VerdictSecondaryOut = 2,
    VerdictBothOut = 3,
    // Nominal or tolerance unreadable, a nominal of 0, or a primary tolerance that is a
    // single character other than ">" and "<".
    VerdictUnreadable = 20,
};

// Everything the evaluation reads from the reference box and the last RLCD reading.
struct ToleranceInputs {
    // Primary reference: kind 0 R, 1 L, 2 C; unit index of the unit box of that kind.
    QString primaryNominalText;   // E2
    QString primaryToleranceText; // CBox5
    QString primaryOffText;       // item 0 of CBox5's list in the current language
    int primaryKind = 0;          // CBox2
    int primaryUnitIndex = 0;     // CBox1, CBox3 or CBox4

    // Secondary reference: kind 0 R, 1 Q, 2 D; the unit box is used for R only.
    QString secondaryNominalText;   // E11
    QString secondaryToleranceText; // CBox51
    QString secondaryOffText;       // item 0 of CBox51's list
    int secondaryKind = 0;          // CBox11
    int secondaryUnitIndex = 0;     // CBox31

    // The reading, in ohm, magnitudes.
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

bool IsToleranceOn(const QString& toleranceText, const QString& offText);

// Factor from a primary unit box's item to ohm, henry or farad; nullopt for an unknown
// kind or item.
std::optional<double> PrimaryUnitFactor(int kind, int unitIndex);

// Compares the reading with the nominal values and returns a VerdictCode. Updates the
// deviations of the boxes that are on, except where the evaluation stops before it could
// compute them.
int EvaluateTolerance(const ToleranceInputs& inputs, Deviations& deviations);

} // namespace recording
