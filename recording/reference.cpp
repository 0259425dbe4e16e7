#include "recording/reference.h"

#include "recording/decimal_text.h"

#include <array>

namespace recording {
namespace {

// The unit boxes list their units from the smallest: Ω kΩ MΩ, µH mH H, pF nF µF.
constexpr std::array<double, 3> OhmFactors{1, 1000, 1000000};
constexpr std::array<double, 3> HenryFactors{0.000001, 0.001, 1};
constexpr std::array<double, 3> FaradFactors{0.000000000001, 0.000000001, 0.000001};

const std::array<double, 3>* FactorsOf(ReferenceKind kind)
{
    switch (kind) {
    case ReferenceKind::Resistance: return &OhmFactors;
    case ReferenceKind::Inductance: return &HenryFactors;
    case ReferenceKind::Capacitance: return &FaradFactors;
    }
    return nullptr;
}

// Only a secondary resistance has a unit; Q and D are plain numbers.
std::optional<double> SecondaryUnitFactor(SecondaryReferenceKind kind, int unitIndex)
{
    return kind == SecondaryReferenceKind::Resistance ? UnitFactor(ReferenceKind::Resistance, unitIndex)
                                                      : std::optional<double>(1);
}

std::optional<double> NominalValue(const QString& nominalText, std::optional<double> unitFactor)
{
    const std::optional<double> number = ParseDecimal(nominalText);
    if (!number || !unitFactor)
        return std::nullopt;
    return *number * *unitFactor;
}

} // namespace

ToleranceRule ReadToleranceRule(const std::optional<QString>& tolerance)
{
    using Kind = ToleranceRule::Kind;
    if (!tolerance)
        return {Kind::Off};
    QString t = tolerance->left(8);
    if (t.size() == 1) {
        if (t == u"<")
            return {Kind::NotAboveNominal};
        if (t == u">")
            return {Kind::NotBelowNominal};
        return {Kind::OtherSingleCharacter};
    }
    if (t.endsWith(u'%'))
        t.back() = u' ';
    const std::optional<double> percent = ParseDecimal(t);
    return percent ? ToleranceRule{Kind::Percent, *percent} : ToleranceRule{Kind::Unreadable};
}

PrimaryReferenceValue ReadPrimaryReference(const PrimaryReference& entry)
{
    return {entry.kind, NominalValue(entry.nominalText, UnitFactor(entry.kind, entry.unitIndex)),
            ReadToleranceRule(entry.tolerance)};
}

SecondaryReferenceValue ReadSecondaryReference(const SecondaryReference& entry)
{
    return {entry.kind, NominalValue(entry.nominalText, SecondaryUnitFactor(entry.kind, entry.unitIndex)),
            ReadToleranceRule(entry.tolerance)};
}

ReferenceValues ReadReference(const Reference& entries)
{
    return {ReadPrimaryReference(entries.primary), ReadSecondaryReference(entries.secondary)};
}

std::optional<double> UnitFactor(ReferenceKind kind, int unitIndex)
{
    const std::array<double, 3>* factors = FactorsOf(kind);
    if (!factors || unitIndex < 0 || unitIndex >= int(factors->size()))
        return std::nullopt;
    return (*factors)[std::size_t(unitIndex)];
}

} // namespace recording
