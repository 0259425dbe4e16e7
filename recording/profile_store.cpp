#include "recording/profile_store.h"

#include "recording/file_error.h"
#include "recording/profile_file.h"
#include "recording/state_file.h"

#include <QFileInfo>

namespace recording {

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
    setProfile(target, m_partCount);
}

PartRecord ProfileStore::loadPart(int partNumber) const
{
    return profile_file::LoadPart(m_profilePath, partNumber);
}

void ProfileStore::storePart(int partNumber, const PartRecord& part)
{
    setPartCount(profile_file::StorePart(m_profilePath, partNumber, part));
}

void ProfileStore::insertPart(int partNumber, const PartRecord& part)
{
    setPartCount(profile_file::InsertPart(m_profilePath, partNumber, part));
}

void ProfileStore::deletePart(int partNumber)
{
    setPartCount(profile_file::DeletePart(m_profilePath, partNumber));
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
