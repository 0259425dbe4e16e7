#include "ui/recording/recording_panel.h"

#include "localisation/main_lexicons.h"
#include "ui/panel/designed_controls.h"
#include "ui/panel/drop_down_combo.h"
#include "ui/panel/heading_panel.h"
#include "ui/panel/messages.h"
#include "meter/report_interval.h"
#include "recording/csv_target.h"
#include "recording/file_error.h"
#include "recording/log_headings.h"
#include "recording/measurement_log_model.h"
#include "recording/profile_store.h"
#include "session/recording_core.h"
#include "ui/recording/log_cell_delegate.h"
#include "ui/recording/log_table_view.h"
#include "ui/recording/table_export.h"
#include "recording/xlsx_target.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QUrl>

namespace recording {
namespace {

constexpr int kDefaultIntervalItem = 1; // "1с"
constexpr int kRowHeight = 24;
constexpr std::array<int, MeasurementLogModel::ColumnCount> kColumnWidths{70, 146, 130, 130, 62, 80, 88, 72, 106, 106};

} // namespace

RecordingPanel::RecordingPanel(const localisation::MainLexicons& lexicons, const ProfileStore& profiles,
                               session::RecordingCore& core, QWidget* window, QWidget* modeBoxPlace) :
    QObject(window),
    m_lexicons(lexicons), m_profiles(profiles), m_core(core), m_export(std::make_unique<TableExport>(window))
{
    buildControls(window, modeBoxPlace);
    buildTable(window);
    wireControls();
    updateControls();
}

RecordingPanel::~RecordingPanel() = default;

void RecordingPanel::buildControls(QWidget* window, QWidget* modeBoxPlace)
{
    using namespace panel;
    CBox10 = combo(modeBoxPlace, "CBox10", {QStringLiteral("Измерение 1 детали"), QStringLiteral("Мульти")},
                   QRect(4, 58, 192, 24));
    Panel13 = panel::box(window, "Panel13", {});
    JvP11 = heading(Panel13, "JvP11", QStringLiteral("Запись данных"), QRect(3, 3, 550, 20));
    SE1 = named(new QSpinBox(Panel13), "SE1", QRect(4, 30, 90, 30));
    SE1->setRange(1, MaxStartPosition);
    SE1->setValue(1);
    QStringList intervals;
    for (const meter::ReportInterval& interval : meter::kReportIntervals)
        intervals << QString::fromLatin1(interval.seconds) + QStringLiteral("с");
    CB1 = combo<DropDownCombo>(Panel13, "CB1", intervals, QRect(98, 30, 70, 30));
    CB1->setCurrentIndex(kDefaultIntervalItem);
    SP1 = toggle(Panel13, "SP1", QStringLiteral("Пуск"), QRect(172, 28, 100, 34));
    B5 = button(Panel13, "B5", QStringLiteral("Очистка"), QRect(276, 28, 100, 34));
    Button4 = button(Panel13, "Button4", QStringLiteral("В файл EXCEL"), QRect(380, 28, 130, 34));
    // Additions to the designed box, on a row of their own below it.
    Button_Trend = button(Panel13, "Button_Trend", QStringLiteral("Тренд"), QRect(276, 63, 100, 23));
    Button_CSV = button(Panel13, "Button_CSV", QStringLiteral("В файл CSV"), QRect(380, 63, 130, 23));
    Button_Lot = button(Panel13, "Button_Lot", QStringLiteral("Партия…"), QRect(172, 63, 100, 23));
    Button_Bins = button(Panel13, "Button_Bins", QStringLiteral("Бины"), QRect(68, 63, 100, 23));
}

// The table fills the rest of the window.
void RecordingPanel::buildTable(QWidget* window)
{
    SG = panel::named(new LogTableView(window), "SG", {});
    SG->setFont(panel::boldCalibri(16));
    SG->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SG->verticalHeader()->hide();
    SG->setModel(&m_core.log());
    SG->setItemDelegate(new LogCellDelegate(SG));
    SG->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    for (std::size_t column = 0; column < kColumnWidths.size(); ++column)
        SG->setColumnWidth(int(column), kColumnWidths[column]);
    SG->horizontalHeader()->setStretchLastSection(true);
    SG->verticalHeader()->setDefaultSectionSize(kRowHeight);
    SG->viewport()->installEventFilter(this);
}

void RecordingPanel::wireControls()
{
    // The start/stop toggle reacts to its state, however the user changed it
    // (designed_controls.h).
    connect(SP1, &QPushButton::toggled, this, &RecordingPanel::SP1Click);
    connect(B5, &QPushButton::clicked, this, &RecordingPanel::B5Click);
    connect(CBox10, &QComboBox::activated, this, &RecordingPanel::CBox10Click);
    connect(Button4, &QPushButton::clicked, this, &RecordingPanel::Button4Click);
    connect(Button_CSV, &QPushButton::clicked, this, &RecordingPanel::Button_CSVClick);
    connect(Button_Trend, &QPushButton::clicked, this, &RecordingPanel::trendRequested);
    connect(Button_Lot, &QPushButton::clicked, this, &RecordingPanel::benchRequested);
    connect(Button_Bins, &QPushButton::clicked, this, &RecordingPanel::binsRequested);
    connect(m_export.get(), &TableExport::partBuilt, this, &RecordingPanel::partBuilt);
    connect(CB1, &panel::DropDownCombo::droppedDown, this, &RecordingPanel::intervalListOpened);
    connect(CB1, &QComboBox::activated, this, &RecordingPanel::intervalChosen);
    connect(CB1, &panel::DropDownCombo::closedUp, this, &RecordingPanel::intervalListClosed);
    connect(SE1, &QSpinBox::valueChanged, &m_core, &session::RecordingCore::setStartPosition);
    connect(&m_core, &session::RecordingCore::startPositionChanged, SE1, [this](int position) {
        const QSignalBlocker quiet(SE1);
        SE1->setValue(position);
    });
    connect(&m_core, &session::RecordingCore::recordingToggled, this, &RecordingPanel::recordingToggled);
}

void RecordingPanel::updateControls()
{
    const bool recording = m_core.isRecording();
    panel::showToggleState(SP1, recording);
    SP1->setText(m_lexicons.D1.GetItem(recording ? localisation::StopCaption : localisation::StartCaption));
    SP1->setEnabled(m_startAllowed);
    B5->setEnabled(mode() == LogMode::SinglePart);
    SG->setEnabled(m_tableEnabled);
    // In single-part mode no cell can be picked while recording is stopped.
    const bool selectable = mode() == LogMode::MultiPart || recording;
    SG->setSelectionMode(selectable ? QAbstractItemView::SingleSelection : QAbstractItemView::NoSelection);
}

LogMode RecordingPanel::mode() const
{
    return m_core.mode();
}

bool RecordingPanel::isRecording() const
{
    return m_core.isRecording();
}

int RecordingPanel::startPosition() const
{
    return m_core.startPosition();
}

void RecordingPanel::setStartPosition(int position)
{
    SE1->setValue(position);
}

MeasurementLogModel& RecordingPanel::log()
{
    return m_core.log();
}

// --- the table -----------------------------------------------------------------------------

void RecordingPanel::ResetLog(int gridRows)
{
    m_core.resetLog(gridRows);
}

void RecordingPanel::ShowSingleHeader()
{
    ResetLog(kSingleLogRows);
    // The window's start and every language switch come through here.
    ShowLogHeadings(m_core.log(), m_lexicons);
}

void RecordingPanel::SelectGridCell(int gridRow, int column)
{
    SG->setFocus();
    if (gridRow < 1 || gridRow >= m_core.log().gridRowCount())
        return;
    const QModelIndex cell = m_core.log().index(gridRow - 1, column);
    SG->setCurrentIndex(cell);
    SG->scrollTo(cell);
}

bool RecordingPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SG->viewport() && event->type() == QEvent::MouseButtonRelease && mode() == LogMode::MultiPart) {
        const QModelIndex cell = SG->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (cell.isValid())
            emit partCellReleased(cell.row() + 1, cell.column());
    }
    return QObject::eventFilter(watched, event);
}

// --- recording -----------------------------------------------------------------------------

void RecordingPanel::showLoggedRow(int gridRow)
{
    if (gridRow <= 2)
        return;
    const int column = SG->currentIndex().isValid() ? SG->currentIndex().column() : 0;
    SG->setCurrentIndex(m_core.log().index(gridRow - 1, column));
}

void RecordingPanel::SP1Click()
{
    const bool starting = SP1->isChecked();
    if (starting)
        emit recordingStarting();
    m_tableEnabled = !starting;
    if (starting)
        m_core.start();
    else
        m_core.stop();
    updateControls();
}

void RecordingPanel::stopRecording()
{
    m_core.stop();
    updateControls();
}

void RecordingPanel::B5Click()
{
    stopRecording();
    ResetLog(kSingleLogRows);
}

void RecordingPanel::CBox10Click(int item)
{
    m_core.setMode(item == 1 ? LogMode::MultiPart : LogMode::SinglePart);
    m_core.stop();
    m_tableEnabled = true;
    updateControls();
    if (mode() == LogMode::SinglePart) {
        ShowSingleHeader();
        SelectGridCell(1, 0);
    }
    emit modeChosen(mode());
}

void RecordingPanel::setLinkUp(bool up)
{
    m_startAllowed = up;
    updateControls();
}

void RecordingPanel::showHold(bool hold, bool profileEditing)
{
    if (hold)
        m_startAllowed = false;
    else if (!profileEditing)
        m_startAllowed = true;
    updateControls();
}

void RecordingPanel::showInterval(int item)
{
    const QSignalBlocker quiet(CB1);
    CB1->setCurrentIndex(item);
}

void RecordingPanel::FormCreate()
{
    m_core.setMode(LogMode::SinglePart);
    {
        const QSignalBlocker quiet(CBox10);
        CBox10->setCurrentIndex(0);
    }
    ShowSingleHeader();
    m_startAllowed = false;
    updateControls();
}

void RecordingPanel::showHeading()
{
    JvP11->setCaption(m_lexicons.D1.GetItem(localisation::RecordingHeading));
    updateControls();
}

// --- exports -------------------------------------------------------------------------------

// In multi-part mode every part's row goes out, whatever was logged.
int RecordingPanel::exportedRows() const
{
    return mode() == LogMode::MultiPart ? m_profiles.partCount() + 1 : m_core.loggedRows();
}

void RecordingPanel::Button4Click()
{
    stopRecording();
    Button4->setEnabled(false);
    const QString path = m_export->chooseFile(QStringLiteral("xlsx"));
    if (path.isEmpty()) {
        Button4->setEnabled(true);
        return;
    }
    std::unique_ptr<XlsxTarget> workbook;
    try {
        workbook = std::make_unique<XlsxTarget>(path);
    } catch (const FileError& error) {
        Button4->setEnabled(true);
        panel::showToolkitError(SG->window(), error.message());
        return;
    }
    m_core.setLoggedRows(exportedRows());
    QString failure;
    const bool written = m_export->write(m_core.log(), m_core.loggedRows(), *workbook, failure);
    workbook.reset();
    Button4->setEnabled(true);
    if (!written) {
        // As after any failure while the cells go out: the next export starts afresh.
        m_core.setLoggedRows(0);
        panel::showPlainMessage(m_lexicons.D4.GetItem(localisation::FileNotWritten) + failure);
        return;
    }
    emit statusLine(m_lexicons.D4.GetItem(localisation::ExcelWritten) + QDir::toNativeSeparators(path));
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        panel::showPlainMessage(m_lexicons.D4.GetItem(localisation::NoApplicationToOpen)
                                + QDir::toNativeSeparators(path));
}

void RecordingPanel::Button_CSVClick()
{
    const QString path = m_export->chooseFile(QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    QString failure;
    bool written = false;
    try {
        CsvTarget file(path);
        written = m_export->write(m_core.log(), exportedRows(), file, failure);
    } catch (const FileError& error) {
        failure = error.message();
    }
    if (!written) {
        panel::showPlainMessage(m_lexicons.D4.GetItem(localisation::FileNotWritten) + failure);
        return;
    }
    emit statusLine(m_lexicons.D4.GetItem(localisation::CsvWritten) + QDir::toNativeSeparators(path));
}

} // namespace recording
