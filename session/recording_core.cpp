#include "session/recording_core.h"

#include "bins/bin_table_csv.h"
#include "localisation/main_lexicons.h"
#include "recording/journal_keeper.h"
#include "recording/log_headings.h"
#include "session/log_reading.h"
#include "session/meter_session.h"
#include "session/silence_watchdog.h"

#include <algorithm>
#include <utility>

namespace session {
namespace {

constexpr double kMillisecondsPerSecond = 1000;

} // namespace

RecordingCore::RecordingCore(const localisation::MainLexicons& lexicons, Say say, QObject* parent) :
    RecordingCore(lexicons, std::move(say), std::make_unique<TimerAlarm>(), parent)
{
}

RecordingCore::RecordingCore(const localisation::MainLexicons& lexicons, Say say, std::unique_ptr<Alarm> silenceAlarm,
                             QObject* parent) :
    QObject(parent),
    m_lexicons(lexicons), m_say(std::move(say)), m_log(new recording::MeasurementLogModel(this)),
    m_silence(new SilenceWatchdog(std::move(silenceAlarm), this))
{
    recording::ShowLogHeadings(*m_log, m_lexicons);
    wireSilenceWatch();
}

RecordingCore::~RecordingCore() = default;

// A meter that stops reporting is said and marked, and so is its return.
void RecordingCore::wireSilenceWatch()
{
    connect(m_silence, &SilenceWatchdog::silenceBegan, this, [this](int silentForMs) {
        m_say(m_lexicons.D4.GetItem(localisation::MeterSilent).arg(silentForMs / kMillisecondsPerSecond));
        mark(recording::JournalEvent::NoReadings);
    });
    connect(m_silence, &SilenceWatchdog::silenceEnded, this, [this] {
        m_say(m_lexicons.D4.GetItem(localisation::MeterReportsAgain));
        mark(recording::JournalEvent::ReadingsAgain);
    });
}

// --- where rows go -------------------------------------------------------------------------

void RecordingCore::setStartPosition(int position)
{
    position = std::clamp(position, 1, recording::MaxStartPosition);
    if (std::exchange(m_startPosition, position) != position)
        emit startPositionChanged(position);
}

void RecordingCore::resetLog(int gridRows)
{
    setStartPosition(1);
    m_log->ResetLog(gridRows);
}

bool RecordingCore::isFull() const
{
    return m_mode == recording::LogMode::SinglePart && m_startPosition == recording::MaxStartPosition
        && m_loggedRows > m_startPosition;
}

// --- judgement -----------------------------------------------------------------------------

const recording::ReadingJudgement& RecordingCore::judge(const MeterSession& session)
{
    m_judgement = recording::JudgeReading(
        m_reference, recording::ImpedanceOf(session.lastReading(), session.testFreqHz(), session.settings().SerPer),
        m_judgement);
    return m_judgement;
}

// --- sorting -------------------------------------------------------------------------------

void RecordingCore::setBinTable(const std::optional<bins::BinTable>& table, const recording::PartInForce& part)
{
    if (table == m_binTable && part == m_binTablePart)
        return;
    m_binTable = table;
    m_binTablePart = part;
    markBinTable();
}

void RecordingCore::markBinTable()
{
    if (!m_journal)
        return;
    const QString tableFile = m_binTable ? QString::fromUtf8(bins::BinTableBytes(*m_binTable)) : QString();
    m_journal->markBinTable(QDateTime::currentDateTime(), m_binTablePart, tableFile);
    noticeJournalFailure();
}

// --- recording -----------------------------------------------------------------------------

void RecordingCore::start()
{
    if (m_recording)
        return;
    m_recording = true;
    m_linkLostMarked = false;
    openRecord();
    armSilenceWatch();
    emit recordingToggled(true);
}

void RecordingCore::stop()
{
    if (!std::exchange(m_recording, false))
        return;
    closeRecord();
    armSilenceWatch();
    emit recordingToggled(false);
}

void RecordingCore::finish()
{
    stop();
    closeRecord();
}

recording::LogRowResult RecordingCore::logReading(const MeterSession& session, const recording::PartInForce& part,
                                                  const QDateTime& when)
{
    recording::LogRowInput reading = LogReading(session, m_judgement, m_lexicons, when);
    reading.mode = m_mode;
    reading.startPosition = m_startPosition;
    reading.selectedPart = part.number.value_or(1);
    if (m_binTable)
        reading.bin = bins::SortReading(*m_binTable, reading.values, m_reference.primary);
    const recording::LogRowResult result = recording::AppendLogRow(*m_log, reading);
    m_loggedRows = result.logRow;
    if (m_mode == recording::LogMode::SinglePart)
        setStartPosition(result.startPosition);

    // A row logged while recording does not run opens a record too.
    if (!m_journal)
        openRecord();
    const int row = result.writtenRow;
    const std::optional<recording::RowNumbers>& numbers = m_log->gridRowNumbers(row);
    m_journal->write(m_log->gridRowTexts(row), when, m_log->gridRowVerdict(row), numbers, part, m_reference.primary);
    noticeJournalFailure();
    emit rowLogged(row, when, m_log->gridRowVerdict(row));
    emit readingLogged(
        recording::LoggedReading{row, when, numbers.value_or(recording::RowNumbers{}), part, m_reference});
    return result;
}

// --- the link ------------------------------------------------------------------------------

void RecordingCore::linkUp()
{
    if (std::exchange(m_linked, true))
        return;
    if (m_recording && std::exchange(m_linkLostMarked, false))
        mark(recording::JournalEvent::LinkBack);
    armSilenceWatch();
}

void RecordingCore::linkDown()
{
    if (!std::exchange(m_linked, false))
        return;
    if (m_recording) {
        mark(recording::JournalEvent::LinkLost);
        m_linkLostMarked = true;
    }
    armSilenceWatch();
}

void RecordingCore::frameArrived()
{
    m_silence->frameArrived();
}

void RecordingCore::followIntervalCode(int intervalCode)
{
    m_silence->followIntervalCode(intervalCode);
}

void RecordingCore::armSilenceWatch()
{
    m_silence->setArmed(m_linked && m_recording);
}

// --- the journal ---------------------------------------------------------------------------

bool RecordingCore::journalFailed() const
{
    return m_journal && m_journal->failed();
}

QString RecordingCore::journalPath() const
{
    return m_journal ? m_journal->path() : QString();
}

void RecordingCore::openRecord()
{
    closeRecord();
    emit recordOpened(QDateTime::currentDateTime());
    m_journal = std::make_unique<recording::JournalKeeper>(m_log->headerTexts(), m_lexicons, m_say);
    m_journalFailureMarked = false;
    noticeJournalFailure();
    if (m_binTable)
        markBinTable();
}

void RecordingCore::closeRecord()
{
    if (!m_journal)
        return;
    m_journal.reset();
    emit recordClosed(QDateTime::currentDateTime());
}

void RecordingCore::mark(recording::JournalEvent event)
{
    const QDateTime when = QDateTime::currentDateTime();
    if (m_journal) {
        m_journal->mark(event, when);
        noticeJournalFailure();
    }
    emit eventMarked(event, when);
}

// The journal has said why it failed; the gap it leaves is marked once for those who
// keep the recording elsewhere.
void RecordingCore::noticeJournalFailure()
{
    if (journalFailed() && !std::exchange(m_journalFailureMarked, true))
        emit eventMarked(recording::JournalEvent::JournalFailed, QDateTime::currentDateTime());
}

} // namespace session
