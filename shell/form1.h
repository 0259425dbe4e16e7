#pragma once
#include <QPixmap>
#include <QWidget>

#include "meter_command.h"
#include "meter_frame.h"
#include "meter_settings.h"
#include "settings_indicators.h"
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
namespace dongle { class ComPort; class PortFinder; }
namespace recording { class SpreadsheetTarget; class MeasurementLogModel; class RecordingJournal; struct PartRecord; }
namespace trend { class TrendChartWindow; }
namespace panel { class DropDownCombo; class DisplayView; class HeadingPanel; class HoverLabel; class MenuList; class PartSpinEdit; }

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

    // --- controls, named as the components they stand for ---------------------------------
    // Connection box and status log
    QWidget* P_connect = nullptr;
    QPushButton* B2 = nullptr;
    QCheckBox* CheckBox_connect_auto = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    // Front panel: function buttons and display
    QWidget* P5 = nullptr;
    QPushButton* SP4 = nullptr;
    QPushButton* SP3 = nullptr;
    QPushButton* SP2 = nullptr;
    QPushButton* SBe1 = nullptr;
    localisation::TLangCombo* LangCombo1 = nullptr;
    panel::DisplayView* Panel_RLCD = nullptr;
    panel::DisplayView* Panel_RD = nullptr;
    panel::DisplayView* Panel_U = nullptr;
    QLabel* L_prim_n = nullptr;
    panel::HoverLabel* L_Prim_RLC = nullptr;
    panel::HoverLabel* L_RLC_avto = nullptr;
    panel::HoverLabel* L_SER_PER1 = nullptr;
    panel::HoverLabel* L_Sec_RLC = nullptr;
    QLabel* L_RQD_avto = nullptr;
    panel::HoverLabel* L_SER_PER = nullptr;
    QLabel* L_sec_n = nullptr;
    panel::HoverLabel* L_Level_RLC = nullptr;
    panel::HoverLabel* L_freq_RLC = nullptr;
    QLabel* L_righ1 = nullptr;
    QLabel* L_righ2 = nullptr;
    QLabel* L_righ3 = nullptr;
    QLabel* L_righ4 = nullptr;
    QLabel* RD_Prim = nullptr;
    QLabel* Im_Diod = nullptr;
    panel::HoverLabel* RD_prim_R = nullptr;
    QLabel* RD_Auto = nullptr;
    panel::HoverLabel* RD_V = nullptr;
    QLabel* J_prim = nullptr;
    QLabel* Joo = nullptr;
    QLabel* RD_J = nullptr;
    QLabel* RD_J1 = nullptr;
    QLabel* U_Prim = nullptr;
    QLabel* U_vrm = nullptr;
    QLabel* U_pp = nullptr;
    // Parameter menus
    QWidget* P_freq_RLC = nullptr;
    QLabel* SText_freq_RLC = nullptr;
    panel::MenuList* ListBox_freq_RLC = nullptr;
    QWidget* P_level_RLC = nullptr;
    QLabel* SText_level_RLC = nullptr;
    panel::MenuList* ListBox_Level_RLC = nullptr;
    QWidget* P_prim_RLC = nullptr;
    QLabel* SText_prim_RLC = nullptr;
    panel::MenuList* ListBox_prim_RLC = nullptr;
    QWidget* P_sec_RLC = nullptr;
    QLabel* SText_sec_RLC = nullptr;
    panel::MenuList* ListBox_sec_RLC = nullptr;
    QWidget* P_ser_per = nullptr;
    QLabel* SText_ser_per = nullptr;
    panel::MenuList* ListBox_ser_per = nullptr;
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
    dongle::ComPort* ComPort = nullptr;
    QTimer* T2 = nullptr;
    QTimer* T3 = nullptr;
    QTimer* Timer_TX = nullptr;
    QFileDialog* OpenDialog1 = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
    std::unique_ptr<localisation::TLangManEngine> LangMan;
    std::unique_ptr<localisation::MainLexicons> lexicons;
    std::unique_ptr<localisation::TLangManClient> LangManClient1;

    // --- module state -----------------------------------------------------------------------
    bool PortOpened = false;
    bool MeterLinked = false;
    int MenuBusy = 0;
    meter::TMeterSettings Settings;
    qint32 TestFreqHz = meter::kDefaultTestFreqHz;
    double SerR = 0, SerX = 0, ParR = 0, ParX = 0; // ohm, from the last RLCD frame
    QString FreqText, LevelText;
    QList<QPixmap> ImList1; // component pictures of the RD view
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

    // --- dongle link (link/) ----------------------------------------------------------------
    bool FindDongle();
    void T3Timer();
    void T2Timer();
    void B2Click();
    void CheckBox_connect_autoClick();
    void ComPortAfterOpen();
    void ComPortBeforeClose();
    void ComPortRxChar();
    void ComPortException();
    void MeterLinkUp();
    void MeterLinkDown();
    void DispatchFrame(const QByteArray& frame);

    // --- display (panel/) -------------------------------------------------------------------
    void DecodeRlcd(const meter::TMeterFrame& frame);
    void DecodeRd(const meter::TMeterFrame& frame);
    void DecodeU(const meter::TMeterFrame& frame);
    void ShowSettings();
    void ShowCircuit();
    void SyncMenus();
    void ResetSettings();

    // --- parameter menus and function buttons (panel/) ---------------------------------------
    void L_freq_RLCClick();
    void L_Level_RLCClick();
    void L_Prim_RLCClick();
    void L_Sec_RLCClick();
    void L_SER_PERClick();
    void ListBox_freq_RLCClick(int row);
    void ListBox_Level_RLCClick(int row);
    void ListBox_prim_RLCClick(int row);
    void ListBox_sec_RLCClick(int row);
    void ListBox_ser_perClick(int row);
    void ListBox_Level_RLCMouseLeave();
    void ListBox_prim_RLCMouseLeave();
    void ListBox_sec_RLCMouseLeave();
    void ListBox_ser_perMouseLeave();
    void ListBox_freq_RLCMouseEnter();
    void Panel_RLCDMouseEnter();
    void SP4Click();
    void SP3Click();
    void SP2Click();
    void SBe1Click();

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

    // --- commands to the meter (link/) ---------------------------------------------------------
    void SendSettings();
    void SendModeCommand(quint8 code);
    void TransmitCommand();
    void Timer_TXTimer();
    void CB1DropDown();
    void CB1Click(int item);
    void CB1CloseUp();
    void Button2Click();
    void Button1Click();
    void Button3Click();
    const dongle::TMeterCommand& lastCommand() const { return m_command; }

    dongle::PortFinder& portFinder() { return *m_portFinder; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void wireEvents();
    void appendStatus(const QString& line);
    void storeAutoConnectFlag(bool checked);
    // The toolkit's standard report of an error that ends a reaction.
    void showToolkitError(const QString& message);
    void clearRlcdReadings();
    void showLinkDown();
    // Lets held-off frames through again once the command timer runs out, for reactions
    // that hold frames off without transmitting.
    void releaseFramesLater();
    // A change the user made to the record: sent when linked, and the frames flow again
    // after the command timer even when nothing could be sent.
    void submitSettings();
    void openMenu(QWidget* menuPanel, QWidget* list);
    void closeAllMenus();
    void wireMenus();
    void wireFunctionButtons();
    void showOnlyView(panel::DisplayView* view);
    void applySettingsIndicators(const meter::SettingsIndicators& indicators);
    void applySyncMenus(const meter::MenuSelection& selection);
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

    std::unique_ptr<dongle::PortFinder> m_portFinder;
    std::unique_ptr<recording::RecordingJournal> m_journal; // of the current recording
    QList<int> m_savedComboIndexes; // SavedComboIndexes, in the order of savedComboBoxes()
    dongle::TMeterCommand m_command;
    bool m_shownOnce = false;
    bool m_rlcdEnterAttached = true;
};

// Starts a timer unless it is running already: a running timer keeps its interval.
void startTimerKeepingInterval(QTimer* timer);
