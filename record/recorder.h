#pragma once
#include "link/dongle_link.h"
#include "link/link_status_lines.h"
#include "record/reading_log.h"
#include "record/record_error.h"
#include "record/record_options.h"
#include "record/recorder_texts.h"
#include "record/row_outputs.h"
#include "recording/journal_keeper.h"
#include "recording/part_record.h"
#include "recording/tolerance.h"
#include "session/meter_session.h"
#include "session/silence_watchdog.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace record {

class Console;

// One recording without a window: it finds the dongle and links to the meter as the
// logger does, and links again when the link is lost; it sends the chosen part's settings
// and report interval once the meter reports; it judges every RLC reading against the
// part and writes its row to the journal and the outputs at once; and it ends, with every
// row on disk and the workbook written, when the count or the duration is reached, when
// asked to, or when the meter cannot be linked or an output cannot be written.
class Recorder : public QObject {
    Q_OBJECT
public:
    Recorder(RecordOptions options, std::optional<recording::PartRecord> part, Console& console,
             QObject* parent = nullptr);
    ~Recorder() override;

    // Makes sure the files can be written and asks for the dongle; once it has answered,
    // the outputs are opened and the link follows, all on the event loop. What cannot be had
    // is said, and the recording ends.
    void begin();
    // Ends the recording with this exit code, unless a file that could not be written
    // makes it FileNotWritten. Nothing happens once it has ended.
    void end(ExitCode code);

signals:
    // The recording has ended; the program is to exit with this code.
    void finished(int exitCode);

private:
    void wireLink();
    void wireMeter();
    void checkFiles();
    void dongleProbed(dongle::DongleLink::ProbeResult result);
    void requireAnswer(dongle::DongleLink::ProbeResult result);
    void openOutputs();
    // Runs the step; a RecordError it throws is said and ends the recording (false).
    bool attempt(const std::function<void()>& step);
    void waitForLink();
    void linkUp();
    void linkDown();
    void rlcdReading();
    void sendSettings();
    void recordReading();
    void writeRow(const RecordedRow& row);
    void showProgress(const RecordedRow& row);
    void markInJournal(recording::JournalEvent event);
    ExitCode finishFiles(ExitCode code);

    const RecordOptions m_options;
    const std::optional<recording::PartRecord> m_part;
    const std::optional<recording::ReferenceValues> m_reference;
    Console& m_console;
    RecorderTexts m_texts;
    dongle::DongleLink m_link;
    session::MeterSession m_session;
    dongle::LinkStatusLines m_linkLines;
    session::SilenceWatchdog m_silence;
    ReadingLog m_log;
    std::vector<std::unique_ptr<RowOutput>> m_outputs;
    std::unique_ptr<recording::JournalKeeper> m_journal; // from the first link on
    QTimer m_linkDeadline;
    QTimer m_durationTimer;

    recording::ReadingJudgement m_judgement;
    bool m_settingsPending = false;
    bool m_linked = false;
    bool m_otherViewSaid = false;
    bool m_fullTableSaid = false;
    bool m_ended = false;
    int m_readings = 0;
    int m_rejects = 0;
};

} // namespace record
