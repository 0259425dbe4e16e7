// Part profiles and the state file: creating, opening and copying profiles, storing,
// inserting, deleting and selecting parts, and the reference view of the table.
#include "form1.h"

#include "file_error.h"
#include "main_lexicons.h"
#include "measurement_log_model.h"
#include "part_spin_edit.h"
#include "profile_file.h"
#include "profile_view_texts.h"
#include "state_file.h"
#include "link/dongle_link.h"
#include "link/ui/connection_box.h"
#include "panel/front_panel.h"
#include "session/meter_session.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

#include "drop_down_combo.h"
#include "heading_panel.h"
#include "lang_man_engine.h"
#include "menu_list.h"

namespace {

QComboBox* unitBoxOfKind(int kind, QComboBox* r, QComboBox* l, QComboBox* c)
{
    return kind == 1 ? l : kind == 2 ? c : r;
}

} // namespace

// --- state file -----------------------------------------------------------------------------

int TForm1::LoadState()
{
    const QString statePath = recording::state_file::DefaultPath();
    bool existed = false;
    try {
        existed = recording::state_file::EnsureExists(statePath);
    } catch (const recording::FileError&) {
        return 0;
    }
    if (!existed)
        return 0;

    int result = 0;
    try {
        const recording::state_file::Contents state = recording::state_file::Read(statePath);
        m_connectionBox->restoreAutoConnect(state.autoConnect);
        LangMan->setDefaultLanguage(QStringLiteral("English"));
        m_frontPanel->rewriteFrequencyTail(true, false);
        if (!state.profilePath.isEmpty() && QFileInfo::exists(state.profilePath)) {
            ProfilePath = state.profilePath;
            ProfileTitle = recording::profile_file::ProfileTitle(ProfilePath);
            JvP8->setCaption(lexicons->D1.GetItem(0) + ProfileTitle);
            PartCount = recording::profile_file::ReadPartCount(ProfilePath);
            SE2->setMaximum(PartCount + 1);
            if (!isMultiPartMode())
                FillPartList();
            result = 1;
        }
    } catch (const recording::FileError&) {
        result = 0;
    }
    m_frontPanel->rewriteFrequencyTail(false, true);
    return result;
}

void TForm1::SaveProfilePath(const QString& path)
{
    recording::state_file::SaveProfilePath(recording::state_file::DefaultPath(), path);
}

void TForm1::storeAutoConnectFlag(bool checked)
{
    const QString statePath = recording::state_file::DefaultPath();
    try {
        recording::state_file::EnsureExists(statePath);
        recording::state_file::SaveAutoConnect(statePath, checked);
    } catch (const recording::FileError& error) {
        showToolkitError(error.message());
    }
}

// --- part records ---------------------------------------------------------------------------

recording::PartRecord TForm1::partRecordFromControls() const
{
    recording::PartRecord part;
    part.name = CBox6->currentText();
    part.startPosition = SE1->value();
    part.primaryTolerance = recording::StoredToleranceText(CBox5->currentText(), CBox5->itemText(0));
    part.primaryKind = quint8(CBox2->currentIndex());
    part.primaryUnit = quint8(unitBoxOfKind(CBox2->currentIndex(), CBox1, CBox3, CBox4)->currentIndex());
    part.primaryNominal = E2->text();
    part.secondaryTolerance = recording::StoredToleranceText(CBox51->currentText(), CBox51->itemText(0));
    part.secondaryKind = quint8(CBox11->currentIndex());
    part.secondaryUnit = CBox11->currentIndex() == 0 ? quint8(CBox31->currentIndex()) : 0;
    part.secondaryNominal = E11->text();
    part.settings = m_session->settings().toBytes();
    return part;
}

void TForm1::applyPartRecord(const recording::PartRecord& part)
{
    const auto toleranceText = [](const QString& stored, const QComboBox* box) {
        return stored == recording::StoredToleranceOff ? box->itemText(0) : stored;
    };
    CBox6->setEditText(part.name);
    CBox5->setEditText(toleranceText(part.primaryTolerance, CBox5));
    CBox2->setCurrentIndex(part.primaryKind);
    unitBoxOfKind(part.primaryKind, CBox1, CBox3, CBox4)->setCurrentIndex(part.primaryUnit);
    E2->setText(part.primaryNominal);
    CBox51->setEditText(toleranceText(part.secondaryTolerance, CBox51));
    CBox11->setCurrentIndex(part.secondaryKind);
    if (part.secondaryKind == 0)
        CBox31->setCurrentIndex(part.secondaryUnit);
    CBox31->setVisible(part.secondaryKind == 0);
    E11->setText(part.secondaryNominal);
    SE1->setValue(part.startPosition);
}

void TForm1::LoadPart(int partNumber)
{
    m_link->holdFrames();
    recording::PartRecord part;
    try {
        part = recording::profile_file::LoadPart(ProfilePath, partNumber);
    } catch (const recording::FileError& error) {
        m_link->releaseFramesLater();
        showToolkitError(error.message());
        return;
    }
    applyPartRecord(part);
    m_session->applyStoredSettings(part.settings);
    ShowPrimaryUnitBox();
    m_session->submit();
}

void TForm1::WritePartRecord(int partNumber)
{
    recording::profile_file::WritePartRecord(ProfilePath, partNumber, partRecordFromControls());
}

// --- profile commands -----------------------------------------------------------------------

void TForm1::showPlainMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok);
    box.exec();
}

QString TForm1::chooseFile(QFileDialog* dialog)
{
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().first();
}

bool TForm1::requireOpenProfile()
{
    if (!ProfilePath.isEmpty())
        return true;
    showPlainMessage(lexicons->D4.GetItem(7));
    return false;
}

void TForm1::SB1Click()
{
    const QString chosen = chooseFile(SaveDialog1);
    if (chosen.isEmpty()) {
        showPlainMessage(lexicons->D1.GetItem(5));
        return;
    }
    try {
        const QString path = recording::profile_file::PathForChosenName(chosen);
        PartCount = 1;
        recording::profile_file::CreateProfile(path, partRecordFromControls());
        ProfilePath = path;
        SE2->setMaximum(2);
        showPlainMessage(lexicons->D1.GetItem(4));
        rememberProfilePath();
        LoadState();
    } catch (const recording::FileError&) {
        showPlainMessage(lexicons->D1.GetItem(5));
    }
}

void TForm1::SB2Click()
{
    const QString chosen = chooseFile(OpenDialog1);
    if (chosen.isEmpty())
        return;
    ProfilePath = chosen;
    try {
        const recording::profile_file::OpenResult opened =
            recording::profile_file::OpenOrCreateProfile(ProfilePath, partRecordFromControls());
        PartCount = opened.partCount;
        SE2->setMaximum(PartCount + 1);
        if (opened.created)
            return;
        rememberProfilePath();
        if (LoadState() == 1) {
            SB3->setEnabled(true);
            SB4->setEnabled(true);
        }
        if (isMultiPartMode())
            ShowProfileGrid(0);
    } catch (const recording::FileError&) {
        showPlainMessage(QStringLiteral("Неудача!"));
    }
}

void TForm1::SB3Click()
{
    const QString chosen = chooseFile(SaveDialog1);
    if (chosen.isEmpty() || ProfilePath.isEmpty() || !QFileInfo::exists(ProfilePath))
        return;
    try {
        const QString target = recording::profile_file::PathForChosenName(chosen);
        recording::profile_file::CopyProfile(ProfilePath, target);
        ProfilePath = target;
        rememberProfilePath();
        LoadState();
    } catch (const recording::FileError&) {
        showPlainMessage(lexicons->D1.GetItem(5));
    }
}

// A path too long for the state file cannot be remembered; the user is told, and the
// other fields of the state file stay as they are.
void TForm1::rememberProfilePath()
{
    try {
        SaveProfilePath(ProfilePath);
    } catch (const recording::FileError&) {
        showPlainMessage(lexicons->D4.GetItem(6) + ProfilePath);
    }
}

// --- parts ----------------------------------------------------------------------------------

void TForm1::ShowProfileGrid(int partIndex)
{
    if (partIndex == 0) {
        ResetLog(PartCount + 1);
        LogModel->setHeaderText(1, lexicons->D2.GetItem(11));
        LogModel->setHeaderText(2, lexicons->D2.GetItem(12));
        LogModel->setHeaderText(3, lexicons->D2.GetItem(13));
        LogModel->setHeaderText(7, lexicons->D2.GetItem(15));
        LogModel->setHeaderText(8, lexicons->D2.GetItem(14));
        LogModel->setHeaderText(9, QString());
    } else {
        for (int column = 0; column < recording::MeasurementLogModel::ColumnCount; ++column)
            LogModel->setGridCell(partIndex + 1, column, QString());
    }
    if (LoadState() == 1) {
        SB3->setEnabled(true);
        SB4->setEnabled(true);
    }
    LogModel->ensureGridRows(PartCount + 1); // the state file may have reopened a larger profile
    const int first = partIndex == 0 ? 0 : partIndex;
    const int last = partIndex == 0 ? PartCount - 1 : partIndex;
    try {
        for (int j = first; j <= last && j < PartCount; ++j) {
            const auto cells = recording::profile_view::RowCells(
                j + 1, recording::profile_file::LoadPart(ProfilePath, j + 1), *lexicons);
            for (std::size_t column = 0; column < cells.size(); ++column)
                LogModel->setGridCell(j + 1, int(column), cells[column]);
        }
    } catch (const recording::FileError& error) {
        showToolkitError(error.message());
    }
}

void TForm1::FillPartList()
{
    try {
        for (int i = 1; i <= PartCount; ++i) {
            const QString name = recording::profile_file::LoadPart(ProfilePath, i).name;
            if (i - 1 < CBox6->count())
                CBox6->setItemText(i - 1, name);
            else
                CBox6->addItem(name);
        }
    } catch (const recording::FileError& error) {
        showToolkitError(error.message());
        return;
    }
    if (PartCount == 0)
        return; // nothing to load: an empty profile has no part 1
    {
        const QSignalBlocker quiet(CBox6);
        CBox6->setCurrentIndex(0);
    }
    LoadPart(1);
}

void TForm1::selectPartName(int partNumber)
{
    const QSignalBlocker quiet(CBox6);
    CBox6->setCurrentIndex(partNumber - 1);
}

void TForm1::CBox6Click(int item)
{
    const int n = item + 1;
    if (n > PartCount)
        return; // a name left over from a longer profile names no part of this one
    SE2->setValue(n);
    LoadPart(n);
    if (isMultiPartMode() && !SP1->isChecked())
        SelectGridCell(n, 1);
}

void TForm1::CBox6DropDown()
{
    if (!ProfilePath.isEmpty())
        FillPartList();
}

void TForm1::SE2TopClick()
{
    loadPartOfSpinBox();
}

void TForm1::SE2BottomClick()
{
    loadPartOfSpinBox();
}

// After either arrow has stepped: the part in the box is loaded; the value one past the
// last part stands for a new part and loads nothing.
void TForm1::loadPartOfSpinBox()
{
    const int n = SE2->value();
    if (n > PartCount)
        return;
    selectPartName(n);
    LoadPart(n);
    if (isMultiPartMode() && !SP1->isChecked())
        SelectGridCell(n, 1);
}

void TForm1::SGMouseUp(const QPoint& position)
{
    if (!isMultiPartMode())
        return;
    const QModelIndex cell = SG->indexAt(position);
    if (!cell.isValid())
        return;
    const int row = cell.row() + 1;
    if (row < 1 || row > PartCount || cell.column() > 3)
        return;
    selectPartName(row);
    LoadPart(row);
    SE2->setValue(row);
}

void TForm1::BB1Click()
{
    if (!requireOpenProfile())
        return;
    const int n = SE2->value();
    try {
        PartCount = recording::profile_file::StorePart(ProfilePath, n, partRecordFromControls());
    } catch (const recording::FileError& error) {
        showToolkitError(error.message());
        return;
    }
    SE2->setMaximum(PartCount + 1);
    if (isMultiPartMode())
        ShowProfileGrid(n == PartCount ? 0 : n - 1);
    m_connectionBox->statusLog()->setFocus();
}

void TForm1::Button_AddClick()
{
    if (!requireOpenProfile())
        return;
    try {
        PartCount = recording::profile_file::InsertPart(ProfilePath, SE2->value(), partRecordFromControls());
    } catch (const recording::FileError& error) {
        showToolkitError(error.message());
        return;
    }
    SE2->setMaximum(PartCount + 1);
    if (isMultiPartMode())
        ShowProfileGrid(0);
}

void TForm1::Button_DELClick()
{
    if (!requireOpenProfile())
        return;
    try {
        PartCount = recording::profile_file::DeletePart(ProfilePath, SE2->value());
    } catch (const recording::FileError& error) {
        showToolkitError(error.message());
        return;
    }
    if (isMultiPartMode())
        ShowProfileGrid(0);
}

void TForm1::wireProfiles()
{
    connect(SB1, &QPushButton::clicked, this, &TForm1::SB1Click);
    connect(SB2, &QPushButton::clicked, this, &TForm1::SB2Click);
    connect(SB3, &QPushButton::clicked, this, &TForm1::SB3Click);
    connect(BB1, &QPushButton::clicked, this, &TForm1::BB1Click);
    connect(Button_Add, &QPushButton::clicked, this, &TForm1::Button_AddClick);
    connect(Button_DEL, &QPushButton::clicked, this, &TForm1::Button_DELClick);
    connect(CBox6, &QComboBox::activated, this, &TForm1::CBox6Click);
    connect(CBox6, &panel::DropDownCombo::droppedDown, this, &TForm1::CBox6DropDown);
    connect(SE2, &panel::PartSpinEdit::topClicked, this, &TForm1::SE2TopClick);
    connect(SE2, &panel::PartSpinEdit::bottomClicked, this, &TForm1::SE2BottomClick);
}
