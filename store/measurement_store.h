#pragma once
#include "recording/journal_event.h"
#include "recording/logged_reading.h"

#include <QDateTime>
#include <QString>

#include <memory>

namespace store {

class SqliteConnection;
class SqliteStatement;

// Who records, where and what: the record a recording opens with.
struct RecordingOpening {
    QString recordingId; // a UUID made on the bench
    QString station;
    QString operatorName;
    QString lot; // empty: none given
    QDateTime startedAt;
    QString softwareVersion;
    QByteArray meterSettings; // the meter's settings record as it reported it; empty when unknown
};

// The local SQLite database of every reading taken on this computer: one committed
// transaction per reading, so that a crash loses nothing already stored. With forwarding
// on, everything stored is also listed as unsent until a forwarder has delivered it.
class MeasurementStore {
public:
    // Where the database is by default: beside the state file.
    static QString defaultPath();

    // Opens the file, creating it and its folder, and brings its layout up to date.
    // StoreError when it cannot be had or comes from a newer program.
    MeasurementStore(const QString& path, bool forwarding);
    ~MeasurementStore();

    const QString& path() const { return m_path; }

    void openRecording(const RecordingOpening& opening);
    void closeRecording(const QString& recordingId, const QDateTime& endedAt);
    // Returns the reading's new UUID.
    QString storeReading(const QString& recordingId, const recording::LoggedReading& reading);
    void storeEvent(const QString& recordingId, recording::JournalEvent event, const QDateTime& at);

    // Readings stored and not yet forwarded.
    qint64 unsentReadings();

private:
    void listUnsent(const char* kind, const QString& id);

    QString m_path;
    bool m_forwarding;
    std::unique_ptr<SqliteConnection> m_connection;
    std::unique_ptr<SqliteStatement> m_insertReading;
    std::unique_ptr<SqliteStatement> m_insertUnsent;
};

// UTC, ISO 8601 to the millisecond: how the database keeps a moment.
QString UtcText(const QDateTime& when);
// A new UUID, without braces.
QString NewUuid();

} // namespace store
