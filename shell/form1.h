#pragma once
#include <QPixmap>
#include <QWidget>

#include "tolerance.h"

#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableView;
class QTimer;

namespace localisation { struct MainLexicons; class TLangCombo; class TLangManClient; class TLangManEngine; }
namespace dongle { class ConnectionBox; class DongleLink; }
namespace session { class MeterSession; }
namespace recording { class SpreadsheetTarget; class MeasurementLogModel; class RecordingJournal; struct PartRecord; }
namespace trend { class TrendChartWindow; }
namespace panel { class DropDownCombo; class FrontPanel; class HeadingPanel; class PartSpinEdit; }

// The main window. It owns every control and all state of the program; its reactions are
// named after control and event and are spread over the subsystem folders (connection in
// link/, display and menus in panel/, table and files in recording/). They wire events to
// the widget-free libraries that do the work.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Runs the creation handler and shows the window (which runs FormShow once).
    void createAndShow();

    // --- the components ---------------------------------------------------------------------
    dongle::DongleLink& link() { return *m_link; }
    session::MeterSession& session() { return *m_session; }
    panel::FrontPanel& frontPanel() { return *m_frontPanel; }

    // --- controls, named as the components they stand for ---------------------------------
    // Profile box and view buttons
    QWidget* Panel3 = nullptr;
    QWidget* Panel5 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* SB1 = nullptr;
    QPushButton* SB2 = nullptr;
    QPushButton* SB3 = nullptr;
    QPushButton* SB4 = nullptr;
    QComboBox* CBox10 = nullptr;
    panel::HeadingPanel* JvP8 = nullptr;
    // Reference box
    QWidget* Panel7 = nullptr;
    panel::HeadingPanel* JvP1 = nullptr;
    QPushButton* BB1 = nullptr;
    QPushButton* Button_DEL = nullptr;
    QPushButton* Button_Add = nullptr;
    panel::DropDownCombo* CBox6 = nullptr;
    panel::PartSpinEdit* SE2 = nullptr;
    QComboBox* CBox2 = nullptr;
    QLineEdit* E2 = nullptr;
    QComboBox* CBox1 = nullptr;
    QComboBox* CBox3 = nullptr;
    QComboBox* CBox4 = nullptr;
    QComboBox* CBox5 = nullptr;
    QComboBox* CBox11 = nullptr;
    QLineEdit* E11 = nullptr;
    QComboBox* CBox31 = nullptr;
    QComboBox* CBox51 = nullptr;
    // Recording box and table
    QWidget* Panel13 = nullptr;
    panel::HeadingPanel* JvP11 = nullptr;
    QSpinBox* SE1 = nullptr;
    panel::DropDownCombo* CB1 = nullptr;
    QPushButton* SP1 = nullptr;
    QPushButton* B5 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button_CSV = nullptr;
    QPushButton* Button_Trend = nullptr;
    QTableView* SG = nullptr;
    // Not visible
    QFileDialog* OpenDialog1 = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
    std::unique_ptr<localisation::TLangManEngine> LangMan;
    std::unique_ptr<localisation::MainLexicons> lexicons;
    std::unique_ptr<localisation::TLangManClient> LangManClient1;

    // --- module state -----------------------------------------------------------------------
    // Recording: the table's rows, the verdict of the last evaluation and its deviations.
    recording::MeasurementLogModel* LogModel = nullptr;
    int LogRow = 0;
    bool ProfileGridShown = false;
    int RejectCode = 0;
    recording::Deviations Deviations; // PrimDeviation, SecDeviation
    // The open profile.
    QString ProfilePath;
    int PartCount = 0;

    // --- lifecycle (shell/) -----------------------------------------------------------------
    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose();
    void FormResize();

    // --- language switch (shell/) -------------------------------------------------------------
    void LangManChangeLangQuery(bool& Continue);
    void LangManChangeLanguage();
    QString ProfileTitle; // " " and the open profile's file name without ".hex1"

    // --- tolerances and the measurement log (recording/) ---------------------------------------
    int EvaluateTolerance();
    void ShowPrimaryUnitBox();
    void ShowSecondaryUnitBox();
    void AppendLogRow();
    void ResetLog(int rowCount);
    void ShowSingleHeader();
    void ShowMultiMeasurementGrid();
    void SelectGridCell(int row, int column);
    void SP1Click();
    void B5Click();
    void CBox10Click(int item);
    bool isMultiPartMode() const;

    // --- profiles and files (recording/) ---------------------------------------------------------
    int LoadState();
    void LoadPart(int partNumber);
    void WritePartRecord(int partNumber);
    void SaveProfilePath(const QString& path);
    void SB1Click();
    void SB2Click();
    void SB3Click();
    void ShowProfileGrid(int partIndex);
    void FillPartList();
    void CBox6Click(int item);
    void CBox6DropDown();
    void SE2TopClick();
    void SE2BottomClick();
    void SGMouseUp(const QPoint& position);
    void BB1Click();
    void Button_AddClick();
    void Button_DELClick();

    // --- exports (recording/) ---------------------------------------------------------------------
    void Button4Click();
    void Button_CSVClick();
    // Where exports are asked for; tests answer it like a user.
    QFileDialog* ExportDialog = nullptr;

    // --- trend chart (recording/) ----------------------------------------------------------------
    void Button_TrendClick();
    trend::TrendChartWindow* TrendWindow = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void wireEvents();
    void wireLink();
    void appendStatus(const QString& line);
    void storeAutoConnectFlag(bool checked);
    // Recording may be started after the link came up, not while it is down or the meter
    // holds; the profile editing marker keeps the hold key from enabling it.
    void applyHoldToRecording(bool hold);
    // The toolkit's standard report of an error that ends a reaction.
    void showToolkitError(const QString& message);
    // Verdict colour and logging of the reading just shown.
    void afterRlcdReading();
    void wireRecording();
    void wireReferences();
    void wireProfiles();
    // Only while recording (or in multi-part mode) can the user pick cells of the table.
    void updateGridSelectability();
    void setRecordingStopped();
    void filterNumberEdit(QLineEdit* edit, bool toleranceBox);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void FormKeyDown(int key);
    // Additions to the designed recording: the journal on disk and the trend chart.
    void onRecordingStarted();
    void onRowLogged(int gridRow, const QDateTime& when);
    void openJournal();
    struct TrendPoint {
        QString name, unit;
        double value = 0;
        int referenceKind = -1; // reference box kind of the same quantity (0 R, 1 L, 2 C), -1 none
    };
    std::optional<TrendPoint> primaryReading() const;
    void feedTrendChart(const QDateTime& when, int verdict);
    void wireTrend();
    recording::PartRecord partRecordFromControls() const;
    void applyPartRecord(const recording::PartRecord& part);
    // A profile operation needs an open profile; without one the user is told so.
    bool requireOpenProfile();
    void showPlainMessage(const QString& text);
    QString chooseFile(QFileDialog* dialog);
    void selectPartName(int partNumber);
    void loadPartOfSpinBox();
    void rememberProfilePath();
    QString chooseExportFile(const QString& extension);
    // Writes the first rowCount grid rows into the target; false (and the reason in
    // failure) when a cell or the file could not be written.
    bool exportRows(recording::SpreadsheetTarget& target, int rowCount, QString& failure);
    void wireExports();

    void setUpLocalisation();
    void rememberLanguageIndex();
    QList<QComboBox*> savedComboBoxes() const;

    dongle::DongleLink* m_link;
    session::MeterSession* m_session;
    panel::FrontPanel* m_frontPanel;
    dongle::ConnectionBox* m_connectionBox;
    std::unique_ptr<recording::RecordingJournal> m_journal; // of the current recording
    QList<int> m_savedComboIndexes; // SavedComboIndexes, in the order of savedComboBoxes()
    bool m_shownOnce = false;
};

