#pragma once
#include <QString>
#include <QtGlobal>

#include <optional>

namespace meter {

// The parameters in the meter's own coding, which the settings record, the frames and the
// commands carry. A record may hold a code without a name here (from a report or a profile
// file); it is kept as it is and names no parameter.
enum class PrimaryParameter : quint8 {
    None = 0, // the user chose automatic and the meter has not named its choice yet
    Resistance = 1,
    Capacitance = 2,
    Inductance = 3,
    Impedance = 4, // |Z|
};

enum class SecondaryParameter : quint8 {
    None = 0,
    Resistance = 1,
    Quality = 2,
    Dissipation = 3,
    PhaseAngle = 4,
};

// The letter the display shows: "R", "C", "L", "Z"; nullopt for None and unknown codes.
std::optional<QString> PrimaryLetter(PrimaryParameter parameter);
// "R", "Q", "D", the phase sign, and a blank for None; nullopt for unknown codes.
std::optional<QString> SecondaryLetter(SecondaryParameter parameter);

} // namespace meter
