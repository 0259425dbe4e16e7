#pragma once
#include "meter/measured_parameters.h"

#include <QString>

namespace localisation {
struct MainLexicons;
}

namespace meter {

// The prefix, unit and short texts of the current interface language, looked up once per
// decoded frame so that a language switch shows in the next reading.
struct UnitTexts {
    QString mega, kilo, milli, micro, nano, pico;
    QString hertz, voltRms, volt, ohm, henry, farad, rms, peakToPeak;
    QString currentSubscriptFixedRange; // beside a current measured in a fixed range
    QString currentSubscriptAutoRange;  // beside a current measured in the automatic range
    QString junctionFound;              // shown instead of a resistance in the diode range

    // The unit of a primary parameter's value: ohm for R and |Z| (and for none).
    const QString& unitOf(PrimaryParameter parameter) const;

    static UnitTexts From(const localisation::MainLexicons& lexicons);
};

} // namespace meter
