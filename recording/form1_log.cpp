// The measurement table: recording rule, appending rows, clearing, the two modes and the
// space bar that takes one reading by hand.
#include "form1.h"

#include "append_log_row.h"
#include "display_view.h"
#include "drop_down_combo.h"
#include "hover_label.h"
#include "part_spin_edit.h"
#include "log_cell_delegate.h"
#include "log_formats.h"
#include "main_lexicons.h"
#include "measurement_log_model.h"
#include "link/dongle_link.h"
#include "link/ui/connection_box.h"
#include "panel/front_panel.h"
#include "session/meter_session.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

namespace {
constexpr int kSingleLogRows = 16;
constexpr int kRejectMarkItem = 3; // of D3
constexpr int kPassMarkItem = 4;
}

bool TForm1::isMultiPartMode() const
{
    return CBox10->currentIndex() == 1;
}

void TForm1::afterRlcdReading()
{
    RejectCode = EvaluateTolerance();
    m_frontPanel->showVerdict(RejectCode != 0);
    const bool recording = SP1->isChecked();
    const bool held = m_session->settings().Hold == 1;
    if (recording != held)
        AppendLogRow();
}

void TForm1::AppendLogRow()
{
    recording::LogRowInput in;
    in.mode = isMultiPartMode() ? recording::LogMode::MultiPart : recording::LogMode::SinglePart;
    in.startPosition = SE1->value();
    in.selectedPart = SE2->value();
    in.timestamp = QDateTime::currentDateTime();
    const meter::RlcdDisplay& shown = m_session->display();
    in.primaryLetter = shown.L_Prim_RLC;
    in.primaryValue = shown.L_prim_n;
    in.secondaryLetter = shown.L_Sec_RLC;
    in.secondaryValue = shown.L_sec_n;
    in.serPer = m_session->settings().SerPer;
    in.seriesText = lexicons->Dlang2.GetItem(2);
    in.parallelText = lexicons->Dlang2.GetItem(3);
    in.freqIndex = m_session->settings().FreqIndex;
    in.freqText = m_session->freqText();
    in.levelText = m_session->levelText();
    in.verdict = RejectCode;
    in.primaryDeviation = Deviations.primary;
    in.secondaryDeviation = Deviations.secondary;
    in.primaryToleranceOn = recording::IsToleranceOn(CBox5->currentText(), CBox5->itemText(0));
    in.secondaryToleranceOn = recording::IsToleranceOn(CBox51->currentText(), CBox51->itemText(0));

    const recording::LogRowResult result = recording::AppendLogRow(*LogModel, in);
    if (result.writtenRow > 2)
        SG->setCurrentIndex(LogModel->index(result.writtenRow - 1, SG->currentIndex().isValid()
                                                                      ? SG->currentIndex().column()
                                                                      : 0));
    LogRow = result.logRow;
    if (in.mode == recording::LogMode::SinglePart)
        SE1->setValue(result.startPosition);
    onRowLogged(result.writtenRow, in.timestamp);
}

void TForm1::ResetLog(int rowCount)
{
    SE1->setValue(1);
    LogModel->ResetLog(rowCount);
}

void TForm1::ShowSingleHeader()
{
    ResetLog(kSingleLogRows);
    for (int column = 0; column < recording::MeasurementLogModel::ColumnCount; ++column)
        LogModel->setHeaderText(column, lexicons->D2.GetItem(column + 1));
    // The window's start and every language switch come through here.
    LogModel->setDisplayTexts({lexicons->D3.GetItem(kRejectMarkItem), lexicons->D3.GetItem(kPassMarkItem),
                               recording::SystemDecimalSeparator(), recording::SystemTimeSeparator()});
}

void TForm1::SelectGridCell(int row, int column)
{
    SG->setFocus();
    if (row < 1 || row >= LogModel->gridRowCount())
        return;
    const QModelIndex cell = LogModel->index(row - 1, column);
    SG->setCurrentIndex(cell);
    SG->scrollTo(cell);
}

void TForm1::setRecordingStopped()
{
    SP1->setChecked(false);
    SP1->setText(lexicons->D1.GetItem(8));
    updateGridSelectability();
}

void TForm1::SP1Click()
{
    if (SP1->isChecked()) {
        if (isMultiPartMode())
            ShowMultiMeasurementGrid();
        SP1->setText(lexicons->D1.GetItem(2));
        SG->setEnabled(false);
        m_frontPanel->setRecordingRuns(true);
        onRecordingStarted();
    } else {
        SP1->setText(lexicons->D1.GetItem(8));
        SG->setEnabled(true);
        m_frontPanel->setRecordingRuns(false);
    }
    updateGridSelectability();
    m_connectionBox->statusLog()->setFocus();
}

void TForm1::B5Click()
{
    setRecordingStopped();
    ResetLog(kSingleLogRows);
}

void TForm1::CBox10Click(int item)
{
    Q_UNUSED(item);
    setRecordingStopped();
    SG->setEnabled(true);
    if (isMultiPartMode()) {
        Button_Add->setEnabled(true);
        Button_DEL->setEnabled(true);
        B5->setEnabled(false);
        ProfileGridShown = false;
        ShowProfileGrid(0);
        SelectGridCell(SE2->value(), 1);
    } else {
        Button_Add->setEnabled(false);
        Button_DEL->setEnabled(false);
        B5->setEnabled(true);
        ShowSingleHeader();
        SelectGridCell(1, 0);
    }
    updateGridSelectability();
}

void TForm1::ShowMultiMeasurementGrid()
{
    if (ProfileGridShown)
        return;
    for (int column = 2; column < recording::MeasurementLogModel::ColumnCount; ++column)
        LogModel->setHeaderText(column, lexicons->D2.GetItem(column + 1));
    Button_Add->setEnabled(false);
    Button_DEL->setEnabled(false);
    ResetLog(PartCount + 1);
    if (LoadState() == 1) {
        SB3->setEnabled(true);
        SB4->setEnabled(true);
    }
    LogModel->ensureGridRows(PartCount + 1); // the state file may have reopened a larger profile
    for (int part = 1; part <= PartCount; ++part) {
        LogModel->setGridCell(part, 0, part);
        LogModel->setGridCell(part, 1, CBox6->itemText(part - 1));
    }
    ProfileGridShown = true;
}

// In single-part mode no cell can be picked while recording is stopped.
void TForm1::updateGridSelectability()
{
    const bool selectable = isMultiPartMode() || SP1->isChecked();
    SG->setSelectionMode(selectable ? QAbstractItemView::SingleSelection : QAbstractItemView::NoSelection);
}

// The window sees every key before the focused control (key preview); the key is not
// consumed.
bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SG->viewport() && event->type() == QEvent::MouseButtonRelease)
        SGMouseUp(static_cast<QMouseEvent*>(event)->position().toPoint());
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && widget == QApplication::focusWidget())
            FormKeyDown(static_cast<QKeyEvent*>(event)->key());
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::FormKeyDown(int key)
{
    if (key != Qt::Key_Space || m_link->framesHeld() || SP1->isChecked() || !m_link->isMeterLinked())
        return;
    if (isMultiPartMode())
        ShowMultiMeasurementGrid();
    AppendLogRow();
}

void TForm1::wireRecording()
{
    LogModel = new recording::MeasurementLogModel(this);
    SG->setModel(LogModel);
    SG->setItemDelegate(new recording::LogCellDelegate(SG));
    SG->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    static constexpr int kColumnWidths[] = {70, 146, 130, 130, 62, 80, 88, 72, 106, 106};
    for (int column = 0; column < recording::MeasurementLogModel::ColumnCount; ++column)
        SG->setColumnWidth(column, kColumnWidths[column]);
    SG->horizontalHeader()->setStretchLastSection(true);
    SG->verticalHeader()->setDefaultSectionSize(24);
    connect(SP1, &QPushButton::clicked, this, &TForm1::SP1Click);
    connect(B5, &QPushButton::clicked, this, &TForm1::B5Click);
    connect(CBox10, &QComboBox::activated, this, &TForm1::CBox10Click);
    qApp->installEventFilter(this); // sees the keys and the table's mouse releases too
}
