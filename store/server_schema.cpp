#include "store/server_schema.h"

#include "store/layout_steps.h"
#include "store/server_connection.h"

#include <array>

namespace store {
namespace {

// Step n brings a server from version n to n + 1. A step, once released, never changes: a
// later layout is a new step.
constexpr std::array<const char*, kServerSchemaVersion> kUpgrades{
    // 0 → 1: recordings and their readings, with the view users query.
    R"sql(
    CREATE TABLE recordings (
        recording_id     uuid PRIMARY KEY,
        station          text NOT NULL,
        operator         text NOT NULL,
        lot              text,
        started_at       timestamptz NOT NULL,
        ended_at         timestamptz,
        software_version text NOT NULL,
        meter_settings   text
    );
    CREATE TABLE readings (
        reading_id              uuid PRIMARY KEY,
        recording_id            uuid NOT NULL REFERENCES recordings (recording_id),
        position                integer NOT NULL,
        taken_at                timestamptz NOT NULL,
        part_number             integer,
        part_name               text,
        primary_kind            text,
        primary_value           double precision,
        primary_overload        boolean NOT NULL DEFAULT false,
        primary_unit            text,
        secondary_kind          text,
        secondary_value         double precision,
        secondary_overload      boolean NOT NULL DEFAULT false,
        secondary_unit          text,
        circuit                 text,
        frequency_hz            integer,
        level_v                 double precision,
        primary_nominal         double precision,
        primary_lsl             double precision,
        primary_usl             double precision,
        secondary_nominal       double precision,
        verdict                 text,
        primary_deviation_pct   double precision,
        secondary_deviation_pct double precision
    );
    CREATE INDEX readings_of_recording ON readings (recording_id, position);
    CREATE INDEX readings_by_time ON readings (taken_at);
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
    // 1 → 2: the moments between readings.
    R"sql(
    CREATE TABLE events (
        event_id     uuid PRIMARY KEY,
        recording_id uuid NOT NULL REFERENCES recordings (recording_id),
        at           timestamptz NOT NULL,
        event        text NOT NULL
    );
    )sql",
    // 2 → 3: the bin each reading was sorted into, none for readings taken without a bin
    // table (and for every reading stored before); the view shows it after the verdict's
    // columns.
    R"sql(
    ALTER TABLE readings ADD COLUMN bin text;
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

// Benches that find a server without the layout, or with an older one, take turns.
constexpr char kTakeTurns[] = "SELECT pg_advisory_xact_lock(4735299)";

int versionOf(ServerConnection& connection)
{
    // Looked for rather than created when missing: a user who may write rows but not create
    // tables then meets a layout that is up to date without being refused.
    if (connection.select("SELECT to_regclass('schema_version')").value(0).value(0).isNull())
        connection.execute("CREATE TABLE schema_version (version integer NOT NULL)");
    return connection.select("SELECT coalesce(max(version), 0) FROM schema_version").value(0).value(0).toInt();
}

void upgrade(ServerConnection& connection, int from, int to)
{
    kSteps.walk(from, to, [&](const char* step) { connection.execute(step); });
    connection.execute("DELETE FROM schema_version");
    connection.execute(QByteArray("INSERT INTO schema_version (version) VALUES (") + QByteArray::number(to) + ')');
}

} // namespace

void PrepareServerSchema(ServerConnection& connection, const QString& shownUrl)
{
    ServerTransaction transaction(connection);
    connection.execute(kTakeTurns);
    const int version = versionOf(connection);
    if (kSteps.needsUpgrade(version, shownUrl,
                            QStringLiteral("the database %1 was laid out by a newer version of the program (layout %2; "
                                           "this one knows up to %3). Update the program on this computer; until then "
                                           "the readings wait in the local database.")))
        upgrade(connection, version, kServerSchemaVersion);
    transaction.commit();
}

void CreateServerSchemaUpTo(ServerConnection& connection, int version)
{
    ServerTransaction transaction(connection);
    upgrade(connection, versionOf(connection), version);
    transaction.commit();
}

} // namespace store
