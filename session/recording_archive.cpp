#include "session/recording_archive.h"

#include "localisation/main_lexicons.h"
#include "session/meter_session.h"
#include "session/recording_core.h"
#include "store/measurement_store.h"
#include "store/store_error.h"

#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

#include <utility>

namespace session {

QString DefaultStation()
{
    return QSysInfo::machineHostName();
}

QString DefaultOperator()
{
    if (const passwd* user = ::getpwuid(::getuid()))
        return QString::fromLocal8Bit(user->pw_name);
    return qEnvironmentVariable("USER");
}

BenchIdentity NamedBench(const QString& station, const QString& operatorName, const QString& lot,
                         const QString& softwareVersion)
{
    return {station.isEmpty() ? DefaultStation() : station, operatorName.isEmpty() ? DefaultOperator() : operatorName,
            lot, softwareVersion};
}

RecordingArchive::RecordingArchive(RecordingCore& core, const MeterSession& session,
                                   const localisation::MainLexicons& lexicons, Say say, QObject* parent) :
    QObject(parent),
    m_session(session), m_lexicons(lexicons), m_say(std::move(say))
{
    connect(&core, &RecordingCore::recordOpened, this, &RecordingArchive::recordOpened);
    connect(&core, &RecordingCore::recordClosed, this, &RecordingArchive::recordClosed);
    connect(&core, &RecordingCore::readingLogged, this, &RecordingArchive::readingLogged);
    connect(&core, &RecordingCore::eventMarked, this, &RecordingArchive::eventMarked);
}

RecordingArchive::~RecordingArchive() = default;

void RecordingArchive::useDatabase(const QString& path, bool forwarding)
{
    m_path = path;
    m_forwarding = forwarding;
    if (m_openedAt)
        m_databaseChanged = true;
    else
        openDatabase();
}

void RecordingArchive::openDatabase()
{
    m_failed = false;
    m_store.reset();
    keep([&] { m_store = std::make_unique<store::MeasurementStore>(m_path, m_forwarding); });
}

void RecordingArchive::recordOpened(const QDateTime& when)
{
    m_openedAt = when;
    m_recordingId.clear();
}

void RecordingArchive::recordClosed(const QDateTime& when)
{
    storeRecordingOnce();
    if (!m_recordingId.isEmpty())
        keep([&] { m_store->closeRecording(m_recordingId, when); });
    m_openedAt.reset();
    m_recordingId.clear();
    if (std::exchange(m_databaseChanged, false))
        openDatabase();
}

void RecordingArchive::readingLogged(const recording::LoggedReading& reading)
{
    storeRecordingOnce();
    if (!m_recordingId.isEmpty())
        keep([&] { m_store->storeReading(m_recordingId, reading); });
}

void RecordingArchive::eventMarked(recording::JournalEvent event, const QDateTime& when)
{
    storeRecordingOnce();
    if (!m_recordingId.isEmpty())
        keep([&] { m_store->storeEvent(m_recordingId, event, when); });
}

void RecordingArchive::storeRecordingOnce()
{
    if (!m_store || !m_openedAt || !m_recordingId.isEmpty())
        return;
    const meter::TMeterSettings& settings = m_session.settings();
    const auto bytes = settings.toBytes();
    store::RecordingOpening opening{store::NewUuid(),
                                    m_bench.station,
                                    m_bench.operatorName,
                                    m_bench.lot,
                                    *m_openedAt,
                                    m_bench.softwareVersion,
                                    QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()))};
    keep([&] {
        m_store->openRecording(opening);
        m_recordingId = opening.recordingId;
    });
}

template <typename Storing> void RecordingArchive::keep(Storing storing)
{
    if (m_failed)
        return;
    try {
        storing();
    } catch (const store::StoreError& error) {
        m_failed = true;
        m_store.reset();
        m_say(m_lexicons.D4.GetItem(localisation::DatabaseNotKept) + error.message());
    }
}

} // namespace session
