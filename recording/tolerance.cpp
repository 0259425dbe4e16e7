#include "tolerance.h"

#include "decimal_text.h"
#include "meter/reactance.h"

#include <array>
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

double unitFactor(const std::array<double, 3>& factors, int index)
{
    if (index < 0 || index >= int(factors.size()))
        throw Unreadable{};
    return factors[std::size_t(index)];
}

constexpr std::array<double, 3> OhmFactors{1, 1000, 1000000};
constexpr std::array<double, 3> HenryFactors{0.000001, 0.001, 1};
constexpr std::array<double, 3> FaradFactors{0.000000000001, 0.000000001, 0.000001};

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

Comparison primaryComparison(const ToleranceInputs& in)
{
    double p = readNumber(in.primaryNominalText);
    const bool series = in.serPer == 1;
    switch (in.primaryKind) {
    case 0:
        return {p * unitFactor(OhmFactors, in.primaryUnitIndex), series ? in.serR : in.parR};
    case 1:
        p *= unitFactor(HenryFactors, in.primaryUnitIndex);
        return {meter::ReactanceOfInductance(p, in.testFreqHz), series ? in.serX : in.parX};
    case 2:
        // Both reactances negated, so that ">" and "<" keep their meaning in farads.
        p *= unitFactor(FaradFactors, in.primaryUnitIndex);
        return {-finite(meter::ReactanceOfCapacitance(p, in.testFreqHz)), series ? -in.serX : -in.parX};
    default:
        throw Unreadable{};
    }
}

Comparison secondaryComparison(const ToleranceInputs& in)
{
    const double p = readNumber(in.secondaryNominalText);
    switch (in.secondaryKind) {
    case 0:
        return {p * unitFactor(OhmFactors, in.secondaryUnitIndex), in.serPer == 1 ? in.serR : in.parR};
    case 1: // Q and D always come from the series values
        return {p, std::abs(divide(in.serX, in.serR))};
    case 2:
        return {p, std::abs(divide(in.serR, in.serX))};
    default:
        throw Unreadable{};
    }
}

} // namespace

bool IsToleranceOn(const QString& toleranceText, const QString& offText)
{
    return toleranceText != offText;
}

int EvaluateTolerance(const ToleranceInputs& in, Deviations& deviations)
{
    int result = VerdictPass;
    try {
        if (IsToleranceOn(in.primaryToleranceText, in.primaryOffText)) {
            const Comparison c = primaryComparison(in);
            deviations.primary = divide(c.measured - c.nominal, std::abs(c.nominal)) * 100;
            switch (judge(in.primaryToleranceText, c.measured, c.nominal, deviations.primary)) {
            case Judgement::Outside: result = VerdictPrimaryOut; break;
            case Judgement::SingleCharacter: return VerdictUnreadable;
            case Judgement::Within: break;
            }
        }
        if (IsToleranceOn(in.secondaryToleranceText, in.secondaryOffText)) {
            const Comparison c = secondaryComparison(in);
            deviations.secondary = divide(c.measured - c.nominal, c.nominal) * 100;
            switch (judge(in.secondaryToleranceText, c.measured, c.nominal, deviations.secondary)) {
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

std::optional<double> PrimaryUnitFactor(int kind, int unitIndex)
{
    const std::array<double, 3>* factors = kind == 0 ? &OhmFactors : kind == 1 ? &HenryFactors : kind == 2 ? &FaradFactors : nullptr;
    if (!factors || unitIndex < 0 || unitIndex >= int(factors->size()))
        return std::nullopt;
    return (*factors)[std::size_t(unitIndex)];
}

} // namespace recording
