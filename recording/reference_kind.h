#pragma once
#include "meter/measured_parameters.h"

#include <QtGlobal>

#include <optional>

namespace recording {

// The kinds of the reference box, in the order of its lists, which profile files store as
// these values.
enum class ReferenceKind : quint8 {
    Resistance = 0,
    Inductance = 1,
    Capacitance = 2,
};

enum class SecondaryReferenceKind : quint8 {
    Resistance = 0,
    Quality = 1,
    Dissipation = 2,
};

// The reference kind of the quantity the meter shows as its primary parameter; nullopt for
// |Z| and for no parameter, which no reference judges.
std::optional<ReferenceKind> ReferenceKindOf(meter::PrimaryParameter parameter);

} // namespace recording
