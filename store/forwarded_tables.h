#pragma once
#include <QtGlobal>

#include <array>

namespace store {

class SqliteConnection;

// A table whose rows go to the server. The local file lists each row that waits in the
// table unsent, by kind and id; the server has a table of the same name and columns.
struct ForwardedTable {
    const char* kind;     // in unsent
    const char* name;     // of the table, locally and on the server
    const char* idColumn; // the row's UUID
    // The one column that may still change once the row was stored (and listed again), or
    // nullptr: such a row is only done with when the value sent is still the stored one.
    const char* changingColumn;
    // What the server does with a row it has already: rows go at least once, so a row sent
    // again must change nothing, or only bring the changing column up to date.
    const char* onConflict;
};

inline constexpr ForwardedTable kRecordingsTable{
    "recording", "recordings", "recording_id", "ended_at",
    "(recording_id) DO UPDATE SET ended_at = EXCLUDED.ended_at WHERE EXCLUDED.ended_at IS NOT NULL"};
inline constexpr ForwardedTable kEventsTable{"event", "events", "event_id", nullptr, "DO NOTHING"};
inline constexpr ForwardedTable kReadingsTable{"reading", "readings", "reading_id", nullptr, "DO NOTHING"};

// In the order they go: a recording before the events and readings that name it.
inline constexpr std::array<const ForwardedTable*, 3> kForwardedTables{&kRecordingsTable, &kEventsTable,
                                                                       &kReadingsTable};

// Readings stored and not yet on the server.
qint64 CountUnsentReadings(SqliteConnection& connection);

} // namespace store
