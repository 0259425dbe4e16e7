#include "store/measurement_store.h"

#include "meter/measured_parameters.h"
#include "recording/primary_band.h"
#include "recording/row_numbers.h"
#include "recording/state_file.h"
#include "store/forwarded_tables.h"
#include "store/local_schema.h"
#include "store/sqlite_connection.h"
#include "store/store_error.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

namespace store {
namespace {

constexpr char kInsertReading[] = R"sql(
    INSERT INTO readings (reading_id, recording_id, position, taken_at, part_number, part_name,
        primary_kind, primary_value, primary_overload, primary_unit,
        secondary_kind, secondary_value, secondary_overload, secondary_unit,
        circuit, frequency_hz, level_v, primary_nominal, primary_lsl, primary_usl, secondary_nominal,
        verdict, primary_deviation_pct, secondary_deviation_pct, bin)
    VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20, ?21,
            ?22, ?23, ?24, ?25)
)sql";

QString settingsText(const QByteArray& settings)
{
    return settings.isEmpty() ? QString() : QString::fromLatin1(settings.toHex());
}

std::optional<qint64> wide(const std::optional<int>& number)
{
    return number ? std::optional<qint64>(*number) : std::nullopt;
}

std::optional<double> valueOf(const std::optional<recording::MeasuredValue>& measured)
{
    return measured ? std::optional<double>(measured->value) : std::nullopt;
}

qint64 overloadOf(const std::optional<recording::MeasuredValue>& measured)
{
    return measured && measured->overload ? 1 : 0;
}

// The database keeps NULL where the files leave a field empty.
QString orNull(const QString& text)
{
    return text.isEmpty() ? QString() : text;
}

} // namespace

QString MeasurementStore::defaultPath()
{
    return recording::state_file::DefaultFolder() + QStringLiteral("/measurements.sqlite");
}

MeasurementStore::MeasurementStore(const QString& path, bool forwarding) : m_path(path), m_forwarding(forwarding)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw StoreError(
            QStringLiteral("cannot create the folder %1 for the database").arg(QDir::toNativeSeparators(folder)));
    m_connection = std::make_unique<SqliteConnection>(path);
    PrepareLocalSchema(*m_connection);
    m_insertReading = std::make_unique<SqliteStatement>(*m_connection, kInsertReading, "store a reading");
    m_insertUnsent = std::make_unique<SqliteStatement>(
        *m_connection, "INSERT OR IGNORE INTO unsent (kind, id) VALUES (?1, ?2)", "list what waits for the server");
}

MeasurementStore::~MeasurementStore() = default;

void MeasurementStore::openRecording(const RecordingOpening& opening)
{
    SqliteTransaction transaction(*m_connection);
    SqliteStatement insert(
        *m_connection,
        "INSERT INTO recordings (recording_id, station, operator, lot, started_at, software_version, "
        "meter_settings) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)",
        "store a recording");
    insert.bind(1, opening.recordingId)
        .bind(2, opening.station)
        .bind(3, opening.operatorName)
        .bind(4, orNull(opening.lot))
        .bind(5, UtcText(opening.startedAt))
        .bind(6, opening.softwareVersion)
        .bind(7, settingsText(opening.meterSettings))
        .run();
    listUnsent(kRecordingsTable.kind, opening.recordingId);
    transaction.commit();
}

void MeasurementStore::closeRecording(const QString& recordingId, const QDateTime& endedAt)
{
    SqliteTransaction transaction(*m_connection);
    SqliteStatement update(*m_connection, "UPDATE recordings SET ended_at = ?2 WHERE recording_id = ?1",
                           "close a recording");
    update.bind(1, recordingId).bind(2, UtcText(endedAt)).run();
    listUnsent(kRecordingsTable.kind, recordingId);
    transaction.commit();
}

QString MeasurementStore::storeReading(const QString& recordingId, const recording::LoggedReading& reading)
{
    const recording::ReadingValues& values = reading.numbers.values;
    const recording::PrimaryReferenceColumns primary = recording::ReferenceColumnsOf(reading.reference.primary);
    const QString readingId = NewUuid();

    SqliteTransaction transaction(*m_connection);
    SqliteStatement& insert = *m_insertReading;
    insert.bind(1, readingId)
        .bind(2, recordingId)
        .bind(3, qint64(reading.position))
        .bind(4, UtcText(reading.when))
        .bind(5, wide(reading.part.number))
        .bind(6, orNull(reading.part.name))
        .bind(7, meter::PrimaryLetter(values.primaryKind).value_or(QString()))
        .bind(8, valueOf(values.primary))
        .bind(9, overloadOf(values.primary))
        .bind(10, values.primary ? orNull(recording::UnitSymbol(values.primaryKind)) : QString())
        .bind(11, meter::SecondaryLetter(values.secondaryKind).value_or(QString()))
        .bind(12, valueOf(values.secondary))
        .bind(13, overloadOf(values.secondary))
        .bind(14, values.secondary ? orNull(recording::UnitSymbol(values.secondaryKind)) : QString())
        .bind(15, values.series ? QStringLiteral("series") : QStringLiteral("parallel"))
        .bind(16, wide(values.frequencyHz))
        .bind(17, values.levelV)
        .bind(18, primary.nominal)
        .bind(19, primary.lsl)
        .bind(20, primary.usl)
        .bind(21, reading.reference.secondary.tolerance.isOn() ? reading.reference.secondary.nominal : std::nullopt)
        .bind(22, orNull(recording::VerdictWord(reading.numbers.verdict)))
        .bind(23, reading.numbers.primaryDeviationPercent)
        .bind(24, reading.numbers.secondaryDeviationPercent)
        .bind(25, reading.numbers.bin ? bins::BinWord(*reading.numbers.bin) : QString())
        .run();
    listUnsent(kReadingsTable.kind, readingId);
    transaction.commit();
    return readingId;
}

void MeasurementStore::storeEvent(const QString& recordingId, recording::JournalEvent event, const QDateTime& at)
{
    const QString eventId = NewUuid();
    SqliteTransaction transaction(*m_connection);
    SqliteStatement insert(*m_connection,
                           "INSERT INTO events (event_id, recording_id, at, event) VALUES (?1, ?2, ?3, ?4)",
                           "store an event");
    insert.bind(1, eventId).bind(2, recordingId).bind(3, UtcText(at)).bind(4, recording::JournalEventWord(event)).run();
    listUnsent(kEventsTable.kind, eventId);
    transaction.commit();
}

qint64 MeasurementStore::unsentReadings()
{
    return CountUnsentReadings(*m_connection);
}

void MeasurementStore::listUnsent(const char* kind, const QString& id)
{
    if (m_forwarding)
        m_insertUnsent->bind(1, QString::fromLatin1(kind)).bind(2, id).run();
}

QString UtcText(const QDateTime& when)
{
    return when.toUTC().toString(Qt::ISODateWithMs);
}

QString NewUuid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace store
