#include "ui/recording/profile_controller.h"

#include "localisation/main_lexicons.h"
#include "ui/panel/messages.h"
#include "recording/file_error.h"
#include "recording/measurement_log_model.h"
#include "recording/profile_view_texts.h"
#include "ui/recording/profile_box.h"
#include "ui/recording/recording_panel.h"
#include "ui/recording/reference_box.h"
#include "session/meter_session.h"

#include <QFileInfo>
#include <QTableView>

namespace recording {
namespace {

// Only the name and the references of a part's row choose the part.
constexpr int kLastPartChoosingColumn = 3;

} // namespace

ProfileController::ProfileController(ProfileStore& store, session::MeterSession& session, ReferenceBox& references,
                                     RecordingPanel& recording, ProfileBox& profileBox,
                                     const localisation::MainLexicons& lexicons, QObject* parent) :
    QObject(parent),
    m_store(store), m_session(session), m_references(references), m_recording(recording), m_profileBox(profileBox),
    m_lexicons(lexicons)
{
    connect(&m_store, &ProfileStore::problem, this, [this](const QString& reason) {
        emit statusLine(m_lexicons.D4.GetItem(localisation::StateFileNotRead) + reason);
    });
    connect(&m_profileBox, &ProfileBox::createChosen, this, &ProfileController::create);
    connect(&m_profileBox, &ProfileBox::openChosen, this, &ProfileController::open);
    connect(&m_profileBox, &ProfileBox::saveAsChosen, this, &ProfileController::saveAs);
    connect(&m_references, &ReferenceBox::partChosen, this, &ProfileController::choosePart);
    connect(&m_references, &ReferenceBox::partStepped, this, &ProfileController::stepToPart);
    connect(&m_references, &ReferenceBox::partListOpening, this, [this] {
        if (m_store.hasProfile())
            FillPartList();
    });
    connect(&m_references, &ReferenceBox::storeRequested, this, &ProfileController::store);
    connect(&m_references, &ReferenceBox::insertRequested, this, &ProfileController::insert);
    connect(&m_references, &ReferenceBox::deleteRequested, this, &ProfileController::remove);
    connect(&m_recording, &RecordingPanel::modeChosen, this, &ProfileController::modeChosen);
    connect(&m_recording, &RecordingPanel::partCellReleased, this, &ProfileController::selectPartCell);
    connect(&m_recording, &RecordingPanel::recordingStarting, this, [this] {
        if (multiPart())
            ShowMultiMeasurementGrid();
    });
}

bool ProfileController::multiPart() const
{
    return m_recording.mode() == LogMode::MultiPart;
}

PartRecord ProfileController::partFromControls() const
{
    return m_references.partRecord(m_recording.startPosition(), m_session.settings().toBytes());
}

// --- the state file ------------------------------------------------------------------------

bool ProfileController::LoadState(bool offerSaveAs)
{
    const StateFileReading reading = m_store.LoadState();
    emit stateRead(reading);
    if (!reading.profileReopened)
        return false;
    m_profileBox.showTitle(m_store.profileTitle());
    m_references.setPartCount(m_store.partCount());
    if (!multiPart())
        FillPartList();
    if (offerSaveAs)
        m_profileBox.offerSaveAs();
    return true;
}

// A path the state file cannot hold is not remembered; the user is told, and the other
// fields of the state file stay as they are.
void ProfileController::rememberProfilePath()
{
    try {
        m_store.rememberProfilePath();
    } catch (const FileError& error) {
        reportFailure(m_lexicons.D4.GetItem(localisation::ProfilePathTooLong) + m_store.profilePath(), error.message());
    }
}

// The designed message, and the reason in the status log.
void ProfileController::reportFailure(const QString& message, const QString& reason)
{
    emit statusLine(reason);
    panel::showPlainMessage(message);
}

// --- profile commands ----------------------------------------------------------------------

void ProfileController::create(const QString& chosenName)
{
    try {
        m_store.create(chosenName, partFromControls());
    } catch (const FileError& error) {
        reportFailure(m_lexicons.D1.GetItem(localisation::FailedMessage), error.message());
        return;
    }
    m_references.setPartCount(m_store.partCount());
    panel::showPlainMessage(m_lexicons.D1.GetItem(localisation::ProfileCreated));
    rememberProfilePath();
    LoadState(false);
}

// A profile that is not there is made with the controls as its part 1, and nothing else
// happens: it is not remembered.
void ProfileController::open(const QString& path)
{
    bool existed = false;
    try {
        existed = m_store.open(path, partFromControls());
    } catch (const FileError& error) {
        reportFailure(m_lexicons.D1.GetItem(localisation::FailedMessage), error.message());
        return;
    }
    m_references.setPartCount(m_store.partCount());
    if (!existed)
        return;
    rememberProfilePath();
    LoadState(true);
    if (multiPart())
        ShowProfileGrid(0);
}

void ProfileController::saveAs(const QString& chosenName)
{
    if (!m_store.hasProfile() || !QFileInfo::exists(m_store.profilePath()))
        return;
    try {
        m_store.saveAs(chosenName);
    } catch (const FileError& error) {
        reportFailure(m_lexicons.D1.GetItem(localisation::FailedMessage), error.message());
        return;
    }
    rememberProfilePath();
    LoadState(false);
}

// --- parts ---------------------------------------------------------------------------------

void ProfileController::LoadPart(int partNumber)
{
    PartRecord part;
    try {
        part = m_store.loadPart(partNumber);
    } catch (const FileError& error) {
        panel::showToolkitError(m_recording.table()->window(), error.message());
        return;
    }
    m_references.showPart(part);
    m_recording.setStartPosition(part.startPosition);
    m_session.applyStoredSettings(part.settings);
    m_session.submit();
}

void ProfileController::FillPartList()
{
    QStringList names;
    try {
        for (int part = 1; part <= m_store.partCount(); ++part)
            names << m_store.loadPart(part).name;
    } catch (const FileError& error) {
        panel::showToolkitError(m_recording.table()->window(), error.message());
        return;
    }
    m_references.setPartNames(names);
    if (names.isEmpty())
        return; // nothing to load: an empty profile has no part 1
    m_references.selectPartName(1);
    LoadPart(1);
}

// A name left over from a longer profile names no part of this one.
void ProfileController::choosePart(int partNumber)
{
    if (partNumber > m_store.partCount())
        return;
    m_references.setPartNumber(partNumber);
    LoadPart(partNumber);
    if (multiPart() && !m_recording.isRecording())
        m_recording.SelectGridCell(partNumber, 1);
}

// The value one past the last part stands for a new part and loads nothing.
void ProfileController::stepToPart(int partNumber)
{
    if (partNumber > m_store.partCount())
        return;
    m_references.selectPartName(partNumber);
    LoadPart(partNumber);
    if (multiPart() && !m_recording.isRecording())
        m_recording.SelectGridCell(partNumber, 1);
}

void ProfileController::selectPartCell(int gridRow, int column)
{
    if (gridRow < 1 || gridRow > m_store.partCount() || column > kLastPartChoosingColumn)
        return;
    m_references.selectPartName(gridRow);
    LoadPart(gridRow);
    m_references.setPartNumber(gridRow);
}

bool ProfileController::requireOpenProfile()
{
    if (m_store.hasProfile())
        return true;
    panel::showPlainMessage(m_lexicons.D4.GetItem(localisation::NoProfileOpen));
    return false;
}

void ProfileController::store()
{
    if (!requireOpenProfile())
        return;
    const int part = m_references.partNumber();
    try {
        m_store.storePart(part, partFromControls());
    } catch (const FileError& error) {
        panel::showToolkitError(m_recording.table()->window(), error.message());
        return;
    }
    m_references.setPartCount(m_store.partCount());
    if (multiPart())
        ShowProfileGrid(part == m_store.partCount() ? 0 : part - 1);
    emit partStored();
}

void ProfileController::insert()
{
    if (!requireOpenProfile())
        return;
    try {
        m_store.insertPart(m_references.partNumber(), partFromControls());
    } catch (const FileError& error) {
        panel::showToolkitError(m_recording.table()->window(), error.message());
        return;
    }
    m_references.setPartCount(m_store.partCount());
    if (multiPart())
        ShowProfileGrid(0);
}

// The part box keeps its range: one past the last part may now be more than one past.
void ProfileController::remove()
{
    if (!requireOpenProfile())
        return;
    try {
        m_store.deletePart(m_references.partNumber());
    } catch (const FileError& error) {
        panel::showToolkitError(m_recording.table()->window(), error.message());
        return;
    }
    if (multiPart())
        ShowProfileGrid(0);
}

// --- the table's views of the profile ------------------------------------------------------

void ProfileController::modeChosen(LogMode mode)
{
    m_references.offerPartEditing(mode == LogMode::MultiPart);
    if (mode != LogMode::MultiPart)
        return;
    m_measurementGridShown = false;
    ShowProfileGrid(0);
    m_recording.SelectGridCell(m_references.partNumber(), 1);
}

void ProfileController::ShowProfileGrid(int partIndex)
{
    MeasurementLogModel& log = m_recording.log();
    if (partIndex == 0) {
        m_recording.ResetLog(m_store.partCount() + 1);
        log.setHeaderText(MeasurementLogModel::TimeColumn, m_lexicons.D2.GetItem(localisation::PartNameTitle));
        log.setHeaderText(MeasurementLogModel::PrimaryColumn,
                          m_lexicons.D2.GetItem(localisation::PrimaryReferenceTitle));
        log.setHeaderText(MeasurementLogModel::SecondaryColumn,
                          m_lexicons.D2.GetItem(localisation::SecondaryReferenceTitle));
        log.setHeaderText(MeasurementLogModel::RejectColumn, m_lexicons.D2.GetItem(localisation::IntervalTitle));
        log.setHeaderText(MeasurementLogModel::PrimaryDeviationColumn,
                          m_lexicons.D2.GetItem(localisation::StartPositionTitle));
        log.setHeaderText(MeasurementLogModel::SecondaryDeviationColumn, QString());
    } else {
        for (int column = 0; column < MeasurementLogModel::ColumnCount; ++column)
            log.setGridCell(partIndex + 1, column, QString());
    }
    LoadState(true);
    log.ensureGridRows(m_store.partCount() + 1); // the state file may have reopened a larger profile
    const int first = partIndex;
    const int last = partIndex == 0 ? m_store.partCount() - 1 : partIndex;
    try {
        for (int index = first; index <= last && index < m_store.partCount(); ++index) {
            const int part = index + 1;
            const auto cells = profile_view::RowCells(part, m_store.loadPart(part), m_lexicons);
            for (std::size_t column = 0; column < cells.size(); ++column)
                log.setGridCell(part, int(column), cells[column]);
        }
    } catch (const FileError& error) {
        panel::showToolkitError(m_recording.table()->window(), error.message());
    }
}

void ProfileController::ShowMultiMeasurementGrid()
{
    if (m_measurementGridShown)
        return;
    MeasurementLogModel& log = m_recording.log();
    for (int column = MeasurementLogModel::PrimaryColumn; column < MeasurementLogModel::ColumnCount; ++column)
        log.setHeaderText(column, m_lexicons.D2.GetItem(localisation::PositionTitle + column));
    m_references.offerPartEditing(false);
    m_recording.ResetLog(m_store.partCount() + 1);
    LoadState(true);
    log.ensureGridRows(m_store.partCount() + 1); // the state file may have reopened a larger profile
    for (int part = 1; part <= m_store.partCount(); ++part) {
        log.setGridCell(part, MeasurementLogModel::PositionColumn, part);
        log.setGridCell(part, MeasurementLogModel::TimeColumn, m_references.listedName(part));
    }
    m_measurementGridShown = true;
}

} // namespace recording
