#include "recording/reference_kind.h"

namespace recording {

std::optional<ReferenceKind> ReferenceKindOf(meter::PrimaryParameter parameter)
{
    switch (parameter) {
    case meter::PrimaryParameter::Resistance: return ReferenceKind::Resistance;
    case meter::PrimaryParameter::Inductance: return ReferenceKind::Inductance;
    case meter::PrimaryParameter::Capacitance: return ReferenceKind::Capacitance;
    case meter::PrimaryParameter::Impedance:
    case meter::PrimaryParameter::None: break;
    }
    return std::nullopt;
}

} // namespace recording
