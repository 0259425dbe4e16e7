#pragma once
#include "recording/append_log_row.h"
#include "recording/tolerance.h"

#include <QDateTime>
#include <QObject>

#include <memory>

class QComboBox;
class QPushButton;
class QSpinBox;
class QTableView;
class QWidget;

namespace localisation {
struct MainLexicons;
}
namespace panel {
class DropDownCombo;
class HeadingPanel;
} // namespace panel
namespace session {
class RecordingCore;
}

namespace recording {

class MeasurementLogModel;
class ProfileStore;
class TableExport;

// The recording box "Panel13" (start position, interval, start/stop, clear, exports, trend)
// and the measurement table "SG" below it, with the log's mode box (one part or many).
// It shows the recording core's rows and drives it from the controls; it owns what the
// window adds: when recording may start, what the table lets the user pick, and the
// exports. The profile's views of the table are drawn into the log by whoever knows the
// profile.
class RecordingPanel : public QObject {
    Q_OBJECT
public:
    static constexpr int kSingleLogRows = 16;

    // The box and the table are placed in the window, the mode box where it is given.
    RecordingPanel(const localisation::MainLexicons& lexicons, const ProfileStore& profiles,
                   session::RecordingCore& core, QWidget* window, QWidget* modeBoxPlace);
    ~RecordingPanel() override;

    QWidget* box() const { return Panel13; }
    QTableView* table() const { return SG; }

    LogMode mode() const;
    bool isRecording() const;
    int startPosition() const;
    void setStartPosition(int position);
    MeasurementLogModel& log();

    // --- the table ------------------------------------------------------------------------
    // Empties the log to this many grid rows (the header row counted) and starts again at
    // position 1.
    void ResetLog(int gridRows);
    // The single-part log: 16 empty grid rows under the column titles.
    void ShowSingleHeader();
    // Gives the table the focus and makes the cell current (a cell outside the log is not).
    void SelectGridCell(int gridRow, int column);

    // --- recording -------------------------------------------------------------------------
    // The row just logged becomes the table's current one.
    void showLoggedRow(int gridRow);
    // Recording stops without a click on its button (clear, mode switch, export).
    void stopRecording();
    // The link came up (recording may start), or a connection is under way, failed or gone.
    void setLinkUp(bool up);
    // The meter holds (recording by hand is off), or it does not, in which case recording
    // may start again unless profiles are being edited.
    void showHold(bool hold, bool profileEditing);
    // The interval box follows the meter.
    void showInterval(int item);
    // The headings in the current language.
    void showHeading();
    // As the window's creation leaves the panel: one part at a time, the single-part log,
    // and recording not offered until the link is up.
    void FormCreate();

signals:
    // Recording is about to start: in multi-part mode the table must show the parts first.
    void recordingStarting();
    // Recording started or stopped, whatever stopped it.
    void recordingToggled(bool running);
    void modeChosen(recording::LogMode mode);
    // A click released on a cell of the table in multi-part mode.
    void partCellReleased(int gridRow, int column);
    void intervalListOpened();
    void intervalChosen(int item);
    void intervalListClosed();
    void trendRequested();
    // The bench window is asked for: lot, station, operator, database.
    void benchRequested();
    // The bins window is asked for.
    void binsRequested();
    // A line for the status log.
    void statusLine(const QString& line);
    // The export's save dialog was built, the first time a file was asked for.
    void partBuilt(QWidget* part);

private:
    void buildControls(QWidget* window, QWidget* modeBoxPlace);
    void buildTable(QWidget* window);
    void wireControls();
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Every control whose state follows the recording's, in one place.
    void updateControls();
    void SP1Click();
    void B5Click();
    void CBox10Click(int item);
    void Button4Click();
    void Button_CSVClick();
    int exportedRows() const;

    const localisation::MainLexicons& m_lexicons;
    const ProfileStore& m_profiles;
    session::RecordingCore& m_core;
    std::unique_ptr<TableExport> m_export;

    bool m_startAllowed = false;
    bool m_tableEnabled = true;

    QWidget* Panel13 = nullptr;
    panel::HeadingPanel* JvP11 = nullptr;
    QSpinBox* SE1 = nullptr;
    panel::DropDownCombo* CB1 = nullptr;
    QPushButton* SP1 = nullptr;
    QPushButton* B5 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button_Trend = nullptr;
    QPushButton* Button_CSV = nullptr;
    QPushButton* Button_Lot = nullptr;
    QPushButton* Button_Bins = nullptr;
    QComboBox* CBox10 = nullptr;
    QTableView* SG = nullptr;
};

} // namespace recording
