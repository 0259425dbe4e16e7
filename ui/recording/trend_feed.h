#pragma once
#include "ui/panel/built_on_first_use.h"
#include "recording/tolerance.h"
#include "session/recording_archive.h"

#include <QDateTime>
#include <QObject>

#include <optional>

class QWidget;

namespace localisation {
struct MainLexicons;
}
namespace session {
class MeterSession;
class RecordingArchive;
class RecordingCore;
} // namespace session
namespace trend {
class TrendChartWindow;
}

namespace recording {

class ReferenceBox;

// Feeds the trend chart beside the recording: the primary value of every logged row, the
// reference band while the primary tolerance of the same quantity is on, and a new chart
// for each recording. The chart's window is built when it is first needed: when a
// recording starts, a reading is logged outside one, or the user asks for the chart.
class TrendFeed : public QObject {
    Q_OBJECT
public:
    TrendFeed(const session::MeterSession& session, const ReferenceBox& references, const session::RecordingCore& core,
              const session::RecordingArchive& archive, const localisation::MainLexicons& lexicons, QWidget* window);

    // A row was logged: its reading goes on the chart.
    void rowLogged(const QDateTime& when, VerdictCode verdict);
    // A recording starts a new chart.
    void recordingToggled(bool running);
    // The chart's window comes up.
    void show();

signals:
    // The chart's window was built, the first time it was needed.
    void partBuilt(QWidget* part);

private:
    void showTexts();
    // The lot report of the current recording, from its journal, which holds every row
    // with its part and limits and the bin tables in force, and from the bench the
    // recording was started at (station, operator, lot, program version), which the
    // journal does not hold: the HTML named and the PDF beside it. The chart's window shows
    // the files written, or why they were not.
    void writeLotReport(const QString& htmlPath);

    const session::MeterSession& m_session;
    const ReferenceBox& m_references;
    const session::RecordingCore& m_core;
    const session::RecordingArchive& m_archive;
    const localisation::MainLexicons& m_lexicons;
    std::optional<session::BenchIdentity> m_recordingBench; // of the current recording
    panel::BuiltOnFirstUse<trend::TrendChartWindow> m_window;
};

} // namespace recording
