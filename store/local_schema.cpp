#include "store/local_schema.h"

#include "store/layout_steps.h"
#include "store/sqlite_connection.h"

#include <QDir>

#include <array>

namespace store {
namespace {

// Step n brings a file from version n to n + 1. A step, once released, never changes: a
// later layout is a new step.
constexpr std::array<const char*, kLocalSchemaVersion> kUpgrades{
    // 0 → 1: recordings and their readings, with the view users query.
    R"sql(
    CREATE TABLE recordings (
        recording_id     TEXT PRIMARY KEY,
        station          TEXT NOT NULL,
        operator         TEXT NOT NULL,
        lot              TEXT,
        started_at       TEXT NOT NULL,
        ended_at         TEXT,
        software_version TEXT NOT NULL,
        meter_settings   TEXT
    );
    CREATE TABLE readings (
        reading_id              TEXT PRIMARY KEY,
        recording_id            TEXT NOT NULL REFERENCES recordings (recording_id),
        position                INTEGER NOT NULL,
        taken_at                TEXT NOT NULL,
        part_number             INTEGER,
        part_name               TEXT,
        primary_kind            TEXT,
        primary_value           REAL,
        primary_overload        INTEGER NOT NULL DEFAULT 0,
        primary_unit            TEXT,
        secondary_kind          TEXT,
        secondary_value         REAL,
        secondary_overload      INTEGER NOT NULL DEFAULT 0,
        secondary_unit          TEXT,
        circuit                 TEXT,
        frequency_hz            INTEGER,
        level_v                 REAL,
        primary_nominal         REAL,
        primary_lsl             REAL,
        primary_usl             REAL,
        secondary_nominal       REAL,
        verdict                 TEXT,
        primary_deviation_pct   REAL,
        secondary_deviation_pct REAL
    );
    CREATE INDEX readings_of_recording ON readings (recording_id, position);
    CREATE VIEW reading_rows AS
    SELECT r.reading_id, c.station, c.operator, c.lot, r.recording_id, r.position, r.taken_at,
           r.part_number, r.part_name,
           r.primary_kind, CASE WHEN r.primary_overload THEN NULL ELSE r.primary_value END AS primary_value,
           r.primary_unit,
           r.secondary_kind, CASE WHEN r.secondary_overload THEN NULL ELSE r.secondary_value END AS secondary_value,
           r.secondary_unit, r.circuit, r.frequency_hz, r.level_v,
           r.primary_nominal, r.primary_lsl, r.primary_usl, r.verdict,
           r.primary_deviation_pct, r.secondary_deviation_pct
    FROM readings r JOIN recordings c USING (recording_id);
    )sql",
    // 1 → 2: the moments between readings, and what still waits to go to a server.
    R"sql(
    CREATE TABLE events (
        event_id     TEXT PRIMARY KEY,
        recording_id TEXT NOT NULL REFERENCES recordings (recording_id),
        at           TEXT NOT NULL,
        event        TEXT NOT NULL
    );
    CREATE TABLE unsent (
        kind TEXT NOT NULL,
        id   TEXT NOT NULL,
        PRIMARY KEY (kind, id)
    ) WITHOUT ROWID;
    )sql",
    // 2 → 3: the bin each reading was sorted into, none for readings taken without a bin
    // table (and for every reading stored before); the view shows it after the verdict's
    // columns.
    R"sql(
    ALTER TABLE readings ADD COLUMN bin TEXT;
    DROP VIEW reading_rows;
    CREATE VIEW reading_rows AS
    SELECT r.reading_id, c.station, c.operator, c.lot, r.recording_id, r.position, r.taken_at,
           r.part_number, r.part_name,
           r.primary_kind, CASE WHEN r.primary_overload THEN NULL ELSE r.primary_value END AS primary_value,
           r.primary_unit,
           r.secondary_kind, CASE WHEN r.secondary_overload THEN NULL ELSE r.secondary_value END AS secondary_value,
           r.secondary_unit, r.circuit, r.frequency_hz, r.level_v,
           r.primary_nominal, r.primary_lsl, r.primary_usl, r.verdict,
           r.primary_deviation_pct, r.secondary_deviation_pct, r.bin
    FROM readings r JOIN recordings c USING (recording_id);
    )sql",
};
constexpr LayoutSteps kSteps{kUpgrades};

int versionOf(SqliteConnection& connection)
{
    return int(connection.integer("PRAGMA user_version", "read the layout's version"));
}

void upgrade(SqliteConnection& connection, int from, int to)
{
    SqliteTransaction transaction(connection);
    kSteps.walk(from, to, [&](const char* step) { connection.execute(step, "upgrade the layout"); });
    connection.execute(QByteArray("PRAGMA user_version = ").append(QByteArray::number(to)).constData(),
                       "record the layout's version");
    transaction.commit();
}

} // namespace

void PrepareLocalSchema(SqliteConnection& connection)
{
    connection.execute("PRAGMA journal_mode = WAL", "switch to the write-ahead log");
    connection.execute("PRAGMA synchronous = FULL", "make commits durable");
    connection.execute("PRAGMA foreign_keys = ON", "check references");
    const int version = versionOf(connection);
    if (kSteps.needsUpgrade(version, QDir::toNativeSeparators(connection.path()),
                            QStringLiteral("the database %1 was written by a newer version of the program (layout %2; "
                                           "this one knows up to %3). Update the program, or name another database.")))
        upgrade(connection, version, kLocalSchemaVersion);
}

void CreateLocalSchemaUpTo(SqliteConnection& connection, int version)
{
    upgrade(connection, versionOf(connection), version);
}

} // namespace store
