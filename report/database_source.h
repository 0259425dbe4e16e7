#pragma once
#include "report/lot.h"
#include "store/database_url.h"

namespace report {

// A lot from the measurement database, local file or server alike: every reading of
// reading_rows whose lot is `lot`, in the order they were taken, that the filter admits.
// The origin names the database as it may be shown, the lot, and the stations, operators
// and program versions that took the readings. An older layout is brought up to date first,
// as the recorder does. A ReportError says what went wrong: a file that is not there or a
// layout from a newer program (usage), a server that cannot be reached (link).
Lot ReadDatabaseLot(const store::DatabaseUrl& url, const QString& lot, const LotFilter& filter = {});

} // namespace report
