#include "recording/reference.h"

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

} // namespace

std::optional<double> UnitFactor(ReferenceKind kind, int unitIndex)
{
    const std::array<double, 3>* factors = FactorsOf(kind);
    if (!factors || unitIndex < 0 || unitIndex >= int(factors->size()))
        return std::nullopt;
    return (*factors)[std::size_t(unitIndex)];
}

} // namespace recording
