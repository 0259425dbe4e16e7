#pragma once
// A bench whose readings go into a local database with forwarding on, for the forwarder's
// tests and benchmarks: one recording at a time, each reading 1 Ω more than the one before.
#include "recording/logged_reading.h"
#include "store/measurement_store.h"
#include "store/sqlite_connection.h"

#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>

// Readings of a resistor, each 1 Ω more than the one before, at their positions from 1.
class RisingReadings {
public:
    recording::LoggedReading next(const QString& partName)
    {
        recording::LoggedReading reading;
        reading.position = ++m_position;
        reading.when = QDateTime::currentDateTimeUtc();
        recording::ReadingValues& values = reading.numbers.values;
        values.primaryKind = meter::PrimaryParameter::Resistance;
        values.primary = recording::MeasuredValue{1000.0 + m_position, false};
        values.secondaryKind = meter::SecondaryParameter::Quality;
        values.secondary = recording::MeasuredValue{0.1, false};
        values.series = true;
        values.frequencyHz = 1000;
        values.levelV = 1.0;
        reading.part = {3, partName};
        return reading;
    }
    void restart() { m_position = 0; }
    int nextPosition() { return ++m_position; }

private:
    int m_position = 0;
};

class ForwardingBench {
public:
    explicit ForwardingBench(const QString& path) : m_path(path), m_store(path, true) {}

    const QString& path() const { return m_path; }
    store::MeasurementStore& localStore() { return m_store; }

    QString openRecording(const QString& lot = QStringLiteral("24-117"))
    {
        m_recordingId = store::NewUuid();
        m_store.openRecording({m_recordingId, QStringLiteral("bench 7"), QStringLiteral("ann"), lot,
                               QDateTime::currentDateTimeUtc(), QStringLiteral("1.2.3"), QByteArray("\x01\x24", 2)});
        m_readings.restart();
        return m_recordingId;
    }

    void closeRecording() { m_store.closeRecording(m_recordingId, QDateTime::currentDateTimeUtc()); }

    void storeReadings(int count, const QString& partName = QStringLiteral("R1k"))
    {
        for (int n = 0; n < count; ++n)
            m_store.storeReading(m_recordingId, nextReading(partName));
    }

    void storeEvent(recording::JournalEvent event)
    {
        m_store.storeEvent(m_recordingId, event, QDateTime::currentDateTimeUtc());
    }

    // As many readings as a long outage leaves waiting, stored at once: copies of one stored
    // reading, each with an id and position of its own, in one transaction.
    void storeBacklog(int count)
    {
        const QString first = m_store.storeReading(m_recordingId, nextReading(QStringLiteral("R1k")));
        store::SqliteConnection connection(m_path);
        store::SqliteTransaction transaction(connection);
        connection.execute("CREATE TEMPORARY TABLE copied AS SELECT * FROM readings WHERE 0", "make room for a copy");
        store::SqliteStatement copy(connection, "INSERT INTO copied SELECT * FROM readings WHERE reading_id = ?1",
                                    "copy a reading");
        copy.bind(1, first).run();
        store::SqliteStatement renumber(connection, "UPDATE copied SET reading_id = ?1, position = ?2",
                                        "give the copy its own id");
        store::SqliteStatement insert(connection, "INSERT INTO readings SELECT * FROM copied", "store the copy");
        store::SqliteStatement list(connection, "INSERT INTO unsent (kind, id) VALUES ('reading', ?1)",
                                    "list the copy as unsent");
        for (int n = 1; n < count; ++n) {
            const QString id = store::NewUuid();
            renumber.bind(1, id).bind(2, qint64(m_readings.nextPosition())).run();
            insert.run();
            list.bind(1, id).run();
        }
        transaction.commit();
    }

    recording::LoggedReading nextReading(const QString& partName) { return m_readings.next(partName); }

    // The local rows' ids, sorted.
    QStringList localIds(const char* idColumn, const char* table)
    {
        store::SqliteConnection connection(m_path);
        store::SqliteStatement ids(connection,
                                   QByteArray("SELECT ").append(idColumn).append(" FROM ").append(table).constData(),
                                   "read the ids");
        QStringList list;
        while (ids.step())
            list << ids.text(0);
        std::sort(list.begin(), list.end());
        return list;
    }

    qint64 unsentRows()
    {
        store::SqliteConnection connection(m_path);
        return connection.integer("SELECT count(*) FROM unsent", "count what waits");
    }

private:
    QString m_path;
    store::MeasurementStore m_store;
    QString m_recordingId;
    RisingReadings m_readings;
};
