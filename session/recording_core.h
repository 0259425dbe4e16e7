#pragma once
#include "bins/bin_table.h"
#include "recording/append_log_row.h"
#include "recording/journal_event.h"
#include "recording/measurement_log_model.h"
#include "recording/reference.h"
#include "recording/tolerance.h"
#include "session/alarm.h"
#include "recording/logged_reading.h"

#include <QDateTime>
#include <QObject>

#include <functional>
#include <memory>

namespace localisation {
struct MainLexicons;
}
namespace recording {
class JournalKeeper;
}

namespace session {

class MeterSession;
class SilenceWatchdog;

// One recording of the meter's readings, kept the same way by the window and the
// recorder, which only show or pass on what it holds:
// - the typed rows and where each goes (the start position, or the part's own row);
// - the judgement of every reading against the reference in force when it came;
// - the journal, with the moments that explain a gap between its rows;
// - the watch for a meter that falls silent while linked and recording.
//
// A record (a journal, and whatever else observes it) opens when recording starts and
// closes when it stops. Rows logged while recording does not run (held readings, a reading
// taken by hand) open a record of their own, which closes at the next start or at the end.
// A journal that cannot be kept is said once and marked as an event; the rows go on into
// the table and whatever else observes them.
class RecordingCore : public QObject {
    Q_OBJECT
public:
    using Say = std::function<void(const QString& line)>;

    // Says its news (the journal, the silence) through say, in the lexicons' language.
    RecordingCore(const localisation::MainLexicons& lexicons, Say say, QObject* parent = nullptr);
    // With the silence watch on the given alarm's clock.
    RecordingCore(const localisation::MainLexicons& lexicons, Say say, std::unique_ptr<Alarm> silenceAlarm,
                  QObject* parent = nullptr);
    ~RecordingCore() override;

    recording::MeasurementLogModel& log() { return *m_log; }
    const recording::MeasurementLogModel& log() const { return *m_log; }

    // --- where rows go -----------------------------------------------------------------------
    recording::LogMode mode() const { return m_mode; }
    void setMode(recording::LogMode mode) { m_mode = mode; }
    // The row the next reading goes to in single-part mode.
    int startPosition() const { return m_startPosition; }
    void setStartPosition(int position);
    // Empties the log to this many grid rows (the header row counted) and starts again at
    // position 1.
    void resetLog(int gridRows);
    // One past the last row written (what an export writes); an export may set it.
    int loggedRows() const { return m_loggedRows; }
    void setLoggedRows(int rows) { m_loggedRows = rows; }
    // The last start position is taken and further readings overwrite its row.
    bool isFull() const;

    // --- judgement ---------------------------------------------------------------------------
    // The reference later readings are judged against; both tolerances off to begin with.
    void setReference(const recording::ReferenceValues& reference) { m_reference = reference; }
    // Judges the session's reading; the deviations of a tolerance that is off are those of
    // the last judgement.
    const recording::ReadingJudgement& judge(const MeterSession& session);
    const recording::ReadingJudgement& lastJudgement() const { return m_judgement; }

    // --- sorting -----------------------------------------------------------------------------
    // The bin table later readings are sorted by against the reference in force, and the
    // part it belongs to; none for a part without one, and then the rows carry no bin. The
    // journal notes each change of either, and the table in force when a record opens.
    void setBinTable(const std::optional<bins::BinTable>& table, const recording::PartInForce& part = {});
    const std::optional<bins::BinTable>& binTable() const { return m_binTable; }

    // --- recording ---------------------------------------------------------------------------
    bool isRecording() const { return m_recording; }
    // Each start opens a record of its own.
    void start();
    void stop();
    // The program ends: whatever record is open closes.
    void finish();
    // The session's reading, as last judged, goes into its row (the part's own in
    // multi-part mode) and into the journal.
    recording::LogRowResult logReading(const MeterSession& session, const recording::PartInForce& part = {},
                                       const QDateTime& when = QDateTime::currentDateTime());

    // --- the link ----------------------------------------------------------------------------
    // Both are said by several signals for one change; each change counts once. A running
    // recording marks a loss, and the link coming back after it.
    void linkUp();
    void linkDown();
    bool isLinked() const { return m_linked; }
    void frameArrived();
    void followIntervalCode(int intervalCode);

    // --- the journal -------------------------------------------------------------------------
    // The journal of this recording could not be made or a line of it written.
    bool journalFailed() const;
    // Empty without a journal.
    QString journalPath() const;

signals:
    void recordingToggled(bool running);
    // A record opens or closes (see above); its rows and marks come between.
    void recordOpened(const QDateTime& when);
    void recordClosed(const QDateTime& when);
    void readingLogged(const recording::LoggedReading& reading);
    void startPositionChanged(int position);
    void rowLogged(int gridRow, const QDateTime& when, recording::VerdictCode verdict);
    // A moment that is no reading: marked in the journal while there is one to mark it in.
    void eventMarked(recording::JournalEvent event, const QDateTime& when);

private:
    void wireSilenceWatch();
    void openRecord();
    void closeRecord();
    void mark(recording::JournalEvent event);
    void markBinTable();
    void noticeJournalFailure();
    void armSilenceWatch();

    const localisation::MainLexicons& m_lexicons;
    Say m_say;
    recording::MeasurementLogModel* m_log;
    SilenceWatchdog* m_silence;
    std::unique_ptr<recording::JournalKeeper> m_journal; // of the current recording

    recording::LogMode m_mode = recording::LogMode::SinglePart;
    int m_startPosition = 1;
    int m_loggedRows = 0;
    recording::ReferenceValues m_reference;
    recording::ReadingJudgement m_judgement;
    std::optional<bins::BinTable> m_binTable;
    recording::PartInForce m_binTablePart;
    bool m_recording = false;
    bool m_linked = false;
    bool m_linkLostMarked = false; // in this recording, and not yet back
    bool m_journalFailureMarked = false;
};

} // namespace session
