#pragma once
#include "bins/bin_table.h"
#include "link/dongle_link.h"
#include "link/link_status_lines.h"
#include "record/record_error.h"
#include "record/record_options.h"
#include "record/recorder_texts.h"
#include "record/row_outputs.h"
#include "recording/part_record.h"
#include "session/forwarding_lines.h"
#include "session/meter_session.h"
#include "session/recording_archive.h"
#include "session/recording_core.h"
#include "store/forwarder.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace platform {
class Console;
}

namespace record {

using platform::Console;

// One recording without a window: it finds the dongle and links to the meter as the
// logger does, and links again when the link is lost; it sends the chosen part's settings
// and report interval once the meter reports; the recording core judges every RLC reading
// against the part and keeps its row and the journal, and the recorder writes the row to
// the outputs at once; it ends, with every row on disk and the workbook written, when the
// count or the duration is reached, when asked to, or when the meter cannot be linked or
// an output cannot be written. With a server named, what the local database keeps goes on
// to it in the background, and before the recorder ends, for as long as the server answers.
class Recorder : public QObject {
    Q_OBJECT
public:
    // Without a bin table the rows carry no bin.
    Recorder(RecordOptions options, std::optional<recording::PartRecord> part,
             const std::optional<bins::BinTable>& binTable, Console& console, QObject* parent = nullptr);
    ~Recorder() override;

    // Makes sure the files can be written and asks for the dongle; once it has answered,
    // the outputs are opened and the link follows, all on the event loop. What cannot be had
    // is said, and the recording ends.
    void begin();
    // Ends the recording with this exit code, unless a file that could not be written
    // makes it FileNotWritten. Nothing happens once it has ended. With a server named,
    // finished follows once the forwarder has sent what it could.
    void end(ExitCode code);

signals:
    // The recording has ended; the program is to exit with this code.
    void finished(int exitCode);

private:
    void wireLink();
    void wireMeter();
    void setUpForwarding(const QString& localDatabase);
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
    ExitCode finishFiles(ExitCode code);

    const RecordOptions m_options;
    const std::optional<recording::PartRecord> m_part;
    Console& m_console;
    RecorderTexts m_texts;
    dongle::DongleLink m_link;
    session::MeterSession m_session;
    dongle::LinkStatusLines m_linkLines;
    session::RecordingCore m_core; // recording from the first link on
    recording::PartInForce m_partInForce;
    session::RecordingArchive m_archive;
    std::unique_ptr<store::Forwarder> m_forwarder; // with a server named
    std::unique_ptr<session::ForwardingLines> m_forwardingLines;
    ExitCode m_exitCode = Done; // while the forwarder drains at the end
    std::vector<std::unique_ptr<RowOutput>> m_outputs;
    QTimer m_linkDeadline;
    QTimer m_durationTimer;

    bool m_settingsPending = false;
    bool m_otherViewSaid = false;
    bool m_fullTableSaid = false;
    bool m_ended = false;
    int m_readings = 0;
    int m_rejects = 0;
};

} // namespace record
