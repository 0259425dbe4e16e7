#include "recording/profile_store.h"

#include "recording/bin_table_place.h"
#include "recording/file_error.h"
#include "recording/profile_file.h"
#include "recording/state_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace recording {
namespace {

[[noreturn]] void failOnTable(const QString& doing, const QString& path, const QString& reason)
{
    throw FileError(
        QStringLiteral("cannot %1 the bin table %2: %3").arg(doing, QDir::toNativeSeparators(path), reason));
}

// Every table of the source folder, into the target folder; a profile without tables has none.
void copyBinTables(const QString& sourceFolder, const QString& targetFolder)
{
    const QDir source(sourceFolder);
    const QStringList names = source.entryList({QStringLiteral("*.csv")}, QDir::Files);
    if (names.isEmpty())
        return;
    if (!QDir().mkpath(targetFolder))
        failOnTable(QStringLiteral("make the folder of"), targetFolder, QStringLiteral("it cannot be created"));
    for (const QString& name : names) {
        const QString target = QDir(targetFolder).filePath(name);
        QFile::remove(target);
        QFile file(source.filePath(name));
        if (!file.copy(target))
            failOnTable(QStringLiteral("copy"), file.fileName(), file.errorString());
    }
}

} // namespace

ProfileStore::ProfileStore(QString stateFilePath, QObject* parent) :
    QObject(parent), m_statePath(std::move(stateFilePath))
{
}

StateFileReading ProfileStore::LoadState()
{
    StateFileReading reading;
    try {
        reading.existed = state_file::EnsureExists(m_statePath);
        if (!reading.existed)
            return reading;
        const state_file::Contents state = state_file::Read(m_statePath);
        reading.read = true;
        reading.autoConnect = state.autoConnect;
        if (state.profilePath.isEmpty() || !QFileInfo::exists(state.profilePath))
            return reading;
        setProfile(state.profilePath, profile_file::ReadPartCount(state.profilePath));
        reading.profileReopened = true;
    } catch (const FileError& error) {
        emit problem(error.message());
    }
    return reading;
}

void ProfileStore::storeAutoConnect(bool on)
{
    state_file::EnsureExists(m_statePath);
    state_file::SaveAutoConnect(m_statePath, on);
}

void ProfileStore::storeLanguageIndex(int index)
{
    state_file::EnsureExists(m_statePath);
    state_file::SaveLanguageIndex(m_statePath, index);
}

void ProfileStore::rememberProfilePath()
{
    state_file::SaveProfilePath(m_statePath, m_profilePath);
}

void ProfileStore::create(const QString& chosenName, const PartRecord& firstPart)
{
    const QString path = profile_file::PathForChosenName(chosenName);
    profile_file::CreateProfile(path, firstPart);
    setProfile(path, 1);
}

bool ProfileStore::open(const QString& path, const PartRecord& firstPart)
{
    const profile_file::OpenResult opened = profile_file::OpenOrCreateProfile(path, firstPart);
    setProfile(path, opened.partCount);
    return !opened.created;
}

void ProfileStore::saveAs(const QString& chosenName)
{
    const QString target = profile_file::PathForChosenName(chosenName);
    profile_file::CopyProfile(m_profilePath, target);
    if (QFileInfo(target) != QFileInfo(m_profilePath))
        copyBinTables(BinTableFolder(m_profilePath), BinTableFolder(target));
    setProfile(target, m_partCount);
}

PartRecord ProfileStore::loadPart(int partNumber) const
{
    return profile_file::LoadPart(m_profilePath, partNumber);
}

void ProfileStore::storePart(int partNumber, const PartRecord& part)
{
    const QString oldName = partNumber <= m_partCount ? loadPart(partNumber).name : part.name;
    setPartCount(profile_file::StorePart(m_profilePath, partNumber, part));
    if (oldName != part.name)
        carryBinTable(oldName, part.name);
}

void ProfileStore::insertPart(int partNumber, const PartRecord& part)
{
    setPartCount(profile_file::InsertPart(m_profilePath, partNumber, part));
}

void ProfileStore::deletePart(int partNumber)
{
    const QString name = loadPart(partNumber).name;
    setPartCount(profile_file::DeletePart(m_profilePath, partNumber));
    const QString table = binTablePath(name);
    if (!anyPartNamed(name) && QFile::exists(table) && !QFile::remove(table))
        failOnTable(QStringLiteral("delete"), table, QStringLiteral("it cannot be removed"));
}

QString ProfileStore::binTablePath(const QString& partName) const
{
    return hasProfile() ? PartBinTablePath(m_profilePath, partName) : SinglePartBinTablePath();
}

bool ProfileStore::anyPartNamed(const QString& name) const
{
    for (int number = 1; number <= m_partCount; ++number)
        if (loadPart(number).name == name)
            return true;
    return false;
}

// The renamed part's table replaces whatever table its new name had.
void ProfileStore::carryBinTable(const QString& oldName, const QString& newName)
{
    QFile table(binTablePath(oldName));
    if (!table.exists())
        return;
    const QString target = binTablePath(newName);
    QFile::remove(target);
    const bool carried = anyPartNamed(oldName) ? table.copy(target) : table.rename(target);
    if (!carried)
        failOnTable(QStringLiteral("move"), table.fileName(), table.errorString());
}

void ProfileStore::setProfile(const QString& path, int partCount)
{
    m_profilePath = path;
    m_title = profile_file::ProfileTitle(path);
    m_partCount = partCount;
    emit profileChanged();
}

void ProfileStore::setPartCount(int partCount)
{
    m_partCount = partCount;
    emit profileChanged();
}

} // namespace recording
