#include "recording/tolerance.h"

#include "recording/decimal_text.h"
#include "meter/reactance.h"

#include <cmath>
#include <optional>

namespace recording {
namespace {

// Any unreadable text or impossible division ends the whole evaluation with
// VerdictUnreadable; carrying it as an exception keeps the steps below linear.
struct Unreadable {};

double readNumber(const QString& text)
{
    const std::optional<double> value = ParseDecimal(text);
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

double unitFactor(ReferenceKind kind, int unitIndex)
{
    const std::optional<double> factor = UnitFactor(kind, unitIndex);
    if (!factor)
        throw Unreadable{};
    return *factor;
}

// How a tolerance text judges the measured value q against the nominal p.
enum class Judgement { Within, Outside, SingleCharacter };

Judgement judge(const QString& toleranceText, double q, double p, double deviation)
{
    QString t = toleranceText.left(8);
    if (t.size() == 1) {
        if (t == u"<")
            return q > p ? Judgement::Outside : Judgement::Within;
        if (t == u">")
            return q < p ? Judgement::Outside : Judgement::Within;
        return Judgement::SingleCharacter;
    }
    if (t.endsWith(u'%'))
        t.back() = u' ';
    return std::abs(deviation) > readNumber(t) ? Judgement::Outside : Judgement::Within;
}

struct Comparison {
    double nominal;  // p
    double measured; // q
};

Comparison primaryComparison(const PrimaryReference& reference, const ImpedanceReading& in)
{
    const double p = readNumber(reference.nominalText) * unitFactor(reference.kind, reference.unitIndex);
    const bool series = in.serPer == 1;
    switch (reference.kind) {
    case ReferenceKind::Resistance:
        return {p, series ? in.serR : in.parR};
    case ReferenceKind::Inductance:
        return {meter::ReactanceOfInductance(p, in.testFreqHz), series ? in.serX : in.parX};
    case ReferenceKind::Capacitance:
        // Both reactances negated, so that ">" and "<" keep their meaning in farads.
        return {-finite(meter::ReactanceOfCapacitance(p, in.testFreqHz)), series ? -in.serX : -in.parX};
    }
    throw Unreadable{};
}

Comparison secondaryComparison(const SecondaryReference& reference, const ImpedanceReading& in)
{
    const double p = readNumber(reference.nominalText);
    switch (reference.kind) {
    case SecondaryReferenceKind::Resistance:
        return {p * unitFactor(ReferenceKind::Resistance, reference.unitIndex), in.serPer == 1 ? in.serR : in.parR};
    case SecondaryReferenceKind::Quality: // Q and D always come from the series values
        return {p, std::abs(divide(in.serX, in.serR))};
    case SecondaryReferenceKind::Dissipation:
        return {p, std::abs(divide(in.serR, in.serX))};
    }
    throw Unreadable{};
}

} // namespace

bool IsToleranceOn(const QString& toleranceText, const QString& offText)
{
    return toleranceText != offText;
}

ImpedanceReading ImpedanceOf(const meter::RlcdReading& reading, qint32 testFreqHz, int serPer)
{
    return {reading.SerR, reading.SerX, reading.ParR, reading.ParX, testFreqHz, serPer};
}

ReadingJudgement JudgeReading(const Reference& reference, const ImpedanceReading& reading,
                              const ReadingJudgement& previous)
{
    ReadingJudgement judgement = previous;
    judgement.verdict = EvaluateTolerance(reference, reading, judgement.deviations);
    judgement.primaryOn = IsToleranceOn(reference.primary.toleranceText, reference.primary.offText);
    judgement.secondaryOn = IsToleranceOn(reference.secondary.toleranceText, reference.secondary.offText);
    return judgement;
}

int EvaluateTolerance(const Reference& reference, const ImpedanceReading& reading, Deviations& deviations)
{
    const PrimaryReference& primary = reference.primary;
    const SecondaryReference& secondary = reference.secondary;
    int result = VerdictPass;
    try {
        if (IsToleranceOn(primary.toleranceText, primary.offText)) {
            const Comparison c = primaryComparison(primary, reading);
            deviations.primary = divide(c.measured - c.nominal, std::abs(c.nominal)) * 100;
            switch (judge(primary.toleranceText, c.measured, c.nominal, deviations.primary)) {
            case Judgement::Outside: result = VerdictPrimaryOut; break;
            case Judgement::SingleCharacter: return VerdictUnreadable;
            case Judgement::Within: break;
            }
        }
        if (IsToleranceOn(secondary.toleranceText, secondary.offText)) {
            const Comparison c = secondaryComparison(secondary, reading);
            deviations.secondary = divide(c.measured - c.nominal, c.nominal) * 100;
            switch (judge(secondary.toleranceText, c.measured, c.nominal, deviations.secondary)) {
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
