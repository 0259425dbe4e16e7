#pragma once
#include "recording/journal_event.h"
#include "recording/logged_reading.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace localisation {
struct MainLexicons;
}
namespace store {
class MeasurementStore;
}

namespace session {

class MeterSession;
class RecordingCore;

// Who records and with what: stored with every recording.
struct BenchIdentity {
    QString station;      // the host name unless given
    QString operatorName; // the login name unless given
    QString lot;          // empty: none
    QString softwareVersion;
};

// The computer's name and the user's login name, for a bench nobody named.
QString DefaultStation();
QString DefaultOperator();
// The bench as the user named it, the computer and the login filling in what was left empty.
BenchIdentity NamedBench(const QString& station, const QString& operatorName, const QString& lot,
                         const QString& softwareVersion);

// Every record the recording core keeps, stored in the local database as it happens: the
// recording with who, where and the meter's settings, each reading with its part and
// limits, each event. A database that cannot be had or written is said once and given up;
// the recording goes on without it.
class RecordingArchive : public QObject {
    Q_OBJECT
public:
    using Say = std::function<void(const QString& line)>;

    // Stores nothing until it is given a database.
    RecordingArchive(RecordingCore& core, const MeterSession& session, const localisation::MainLexicons& lexicons,
                     Say say, QObject* parent = nullptr);
    ~RecordingArchive() override;

    // Both from the next recording on. The database at path (forwarding: everything is
    // listed as unsent for a server) is opened at once unless a recording is open; another
    // database is also another chance for one that failed.
    void setBench(const BenchIdentity& bench) { m_bench = bench; }
    void useDatabase(const QString& path, bool forwarding);
    const BenchIdentity& bench() const { return m_bench; }
    // The database could not be opened or a write failed.
    bool failed() const { return m_failed; }

private:
    void recordOpened(const QDateTime& when);
    void recordClosed(const QDateTime& when);
    void readingLogged(const recording::LoggedReading& reading);
    void eventMarked(recording::JournalEvent event, const QDateTime& when);
    // The recording goes into the database with its first reading or event, when the meter
    // has said its settings.
    void storeRecordingOnce();
    void openDatabase();
    template <typename Storing> void keep(Storing storing);

    const MeterSession& m_session;
    const localisation::MainLexicons& m_lexicons;
    BenchIdentity m_bench;
    Say m_say;
    std::unique_ptr<store::MeasurementStore> m_store;
    QString m_path;
    bool m_forwarding = false;
    bool m_databaseChanged = false;      // while a record is open
    std::optional<QDateTime> m_openedAt; // of the record the core keeps open
    QString m_recordingId;               // empty until stored
    bool m_failed = false;
};

} // namespace session
