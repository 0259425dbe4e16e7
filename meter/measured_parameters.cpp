#include "meter/measured_parameters.h"

namespace meter {

std::optional<QString> PrimaryLetter(PrimaryParameter parameter)
{
    switch (parameter) {
    case PrimaryParameter::Resistance: return QStringLiteral("R");
    case PrimaryParameter::Capacitance: return QStringLiteral("C");
    case PrimaryParameter::Inductance: return QStringLiteral("L");
    case PrimaryParameter::Impedance: return QStringLiteral("Z");
    case PrimaryParameter::None: break;
    }
    return std::nullopt;
}

std::optional<QString> SecondaryLetter(SecondaryParameter parameter)
{
    switch (parameter) {
    case SecondaryParameter::None: return QStringLiteral(" ");
    case SecondaryParameter::Resistance: return QStringLiteral("R");
    case SecondaryParameter::Quality: return QStringLiteral("Q");
    case SecondaryParameter::Dissipation: return QStringLiteral("D");
    case SecondaryParameter::PhaseAngle: return QStringLiteral("\u019F");
    }
    return std::nullopt;
}

} // namespace meter
