#pragma once
#include "sim/sim_command.h"
#include "sim/sim_settings.h"

namespace sim {

// Takes over the settings a settings command carries, the way the meter does: code 0 of
// primary, secondary and circuit means automatic; frequency and level carry their own
// automatic flag. A field with a value the meter does not know keeps its previous value,
// so the next report overrides the request. Hold and sound are taken as sent.
void applySettingsCommand(MeterSettings& settings, const MeterCommand& command);

} // namespace sim
