#include "recording/tolerance.h"

#include "meter/reactance.h"

#include <cmath>
#include <optional>

namespace recording {
namespace {

// A nominal or tolerance that could not be read, or an impossible division, ends the whole
// evaluation with VerdictUnreadable; carrying it as an exception keeps the steps below
// linear.
struct Unreadable {};

double known(const std::optional<double>& value)
{
    if (!value)
        throw Unreadable{};
    return *value;
}

double finite(double value)
{
    if (!std::isfinite(value))
        throw Unreadable{};
    return value;
}

double divide(double numerator, double denominator)
{
    if (denominator == 0)
        throw Unreadable{};
    return finite(numerator / denominator);
}

// The deviation in percent; a ratio that is finite may still not be once it is a percentage.
double percentFrom(double measured, double nominal, double reference)
{
    return finite(divide(measured - nominal, reference) * 100);
}

// How a tolerance judges the measured value q against the nominal p.
enum class Judgement { Within, Outside, SingleCharacter };

Judgement judge(const ToleranceRule& tolerance, double q, double p, double deviation)
{
    using Kind = ToleranceRule::Kind;
    switch (tolerance.kind) {
    case Kind::NotAboveNominal: return q > p ? Judgement::Outside : Judgement::Within;
    case Kind::NotBelowNominal: return q < p ? Judgement::Outside : Judgement::Within;
    case Kind::OtherSingleCharacter: return Judgement::SingleCharacter;
    case Kind::Percent: return std::abs(deviation) > tolerance.percent ? Judgement::Outside : Judgement::Within;
    case Kind::Unreadable:
    case Kind::Off: break;
    }
    throw Unreadable{};
}

struct Comparison {
    double nominal;  // p
    double measured; // q
};

// The deviation the table shows: from the nominal, in percent of its magnitude.
double percentDeviation(const Comparison& c)
{
    return percentFrom(c.measured, c.nominal, std::abs(c.nominal));
}

Comparison primaryComparison(const PrimaryReferenceValue& reference, const ImpedanceReading& in)
{
    const double p = known(reference.nominal);
    const bool series = in.serPer == 1;
    switch (reference.kind) {
    case ReferenceKind::Resistance: return {p, series ? in.serR : in.parR};
    case ReferenceKind::Inductance: return {meter::ReactanceOfInductance(p, in.testFreqHz), series ? in.serX : in.parX};
    case ReferenceKind::Capacitance:
        // Both reactances negated, so that ">" and "<" keep their meaning in farads.
        return {-finite(meter::ReactanceOfCapacitance(p, in.testFreqHz)), series ? -in.serX : -in.parX};
    }
    throw Unreadable{};
}

Comparison secondaryComparison(const SecondaryReferenceValue& reference, const ImpedanceReading& in)
{
    const double p = known(reference.nominal);
    switch (reference.kind) {
    case SecondaryReferenceKind::Resistance: return {p, in.serPer == 1 ? in.serR : in.parR};
    case SecondaryReferenceKind::Quality: // Q and D always come from the series values
        return {p, std::abs(divide(in.serX, in.serR))};
    case SecondaryReferenceKind::Dissipation: return {p, std::abs(divide(in.serR, in.serX))};
    }
    throw Unreadable{};
}

// The quantities the judgement compares, from values in ohm, henry or farad: reactance is
// proportional to inductance, so L compares as it is; it is inversely proportional to
// capacitance, so C compares as -1/C, negated as the reactances are above. The factor 2πf
// cancels out of the deviation.
Comparison valueComparison(ReferenceKind kind, double nominal, double measured)
{
    switch (kind) {
    case ReferenceKind::Resistance:
    case ReferenceKind::Inductance: return {nominal, measured};
    case ReferenceKind::Capacitance: return {-divide(1, nominal), -divide(1, measured)};
    }
    throw Unreadable{};
}

} // namespace

std::optional<double> PrimaryDeviationPercent(const PrimaryReferenceValue& reference, double measured)
{
    try {
        return percentDeviation(valueComparison(reference.kind, known(reference.nominal), measured));
    } catch (const Unreadable&) {
        return std::nullopt;
    }
}

ImpedanceReading ImpedanceOf(const meter::RlcdReading& reading, qint32 testFreqHz, int serPer)
{
    return {reading.SerR, reading.SerX, reading.ParR, reading.ParX, testFreqHz, serPer};
}

ReadingJudgement JudgeReading(const ReferenceValues& reference, const ImpedanceReading& reading,
                              const ReadingJudgement& previous)
{
    ReadingJudgement judgement = previous;
    judgement.verdict = EvaluateTolerance(reference, reading, judgement.deviations);
    judgement.primaryOn = reference.primary.tolerance.isOn();
    judgement.secondaryOn = reference.secondary.tolerance.isOn();
    return judgement;
}

int EvaluateTolerance(const ReferenceValues& reference, const ImpedanceReading& reading, Deviations& deviations)
{
    const PrimaryReferenceValue& primary = reference.primary;
    const SecondaryReferenceValue& secondary = reference.secondary;
    int result = VerdictPass;
    try {
        if (primary.tolerance.isOn()) {
            const Comparison c = primaryComparison(primary, reading);
            deviations.primary = percentDeviation(c);
            switch (judge(primary.tolerance, c.measured, c.nominal, deviations.primary)) {
            case Judgement::Outside: result = VerdictPrimaryOut; break;
            case Judgement::SingleCharacter: return VerdictUnreadable;
            case Judgement::Within: break;
            }
        }
        if (secondary.tolerance.isOn()) {
            const Comparison c = secondaryComparison(secondary, reading);
            deviations.secondary = percentFrom(c.measured, c.nominal, c.nominal);
            switch (judge(secondary.tolerance, c.measured, c.nominal, deviations.secondary)) {
            case Judgement::Outside: result += VerdictSecondaryOut; break;
            case Judgement::SingleCharacter: return VerdictSecondaryOut;
            case Judgement::Within: break;
            }
        }
    } catch (const Unreadable&) {
        return VerdictUnreadable;
    }
    return result;
}

} // namespace recording
