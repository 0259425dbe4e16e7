#pragma once
#include "recording/part_record.h"

#include <QObject>
#include <QString>

namespace recording {

// What reading the state file found.
struct StateFileReading {
    bool existed = false;         // false: there was none, and an empty one was made
    bool read = false;            // its fields could be read
    bool autoConnect = false;     // the automatic connection is on
    bool profileReopened = false; // the profile it names exists and is now the open one
};

// The open profile and the state file, without any widget: the profile's path, title and
// part count, and the operations on both files. The profile keeps nothing in memory but
// these; every operation reads or writes its file at once.
//
// Operations on the profile report a failure as FileError and leave the store as it was;
// the caller tells the user. Reading the state file is done on many occasions without a
// caller to tell: its failures are said through problem().
class ProfileStore : public QObject {
    Q_OBJECT
public:
    explicit ProfileStore(QString stateFilePath, QObject* parent = nullptr);

    const QString& stateFilePath() const { return m_statePath; }
    const QString& profilePath() const { return m_profilePath; }
    bool hasProfile() const { return !m_profilePath.isEmpty(); }
    // " " and the open profile's file name without its extension; empty while none is open.
    const QString& profileTitle() const { return m_title; }
    int partCount() const { return m_partCount; }

    // Makes the state file when there is none; otherwise reads it and reopens the profile
    // it names when that file exists.
    StateFileReading LoadState();
    // The settings the state file keeps for the window; FileError when it cannot be written.
    void storeAutoConnect(bool on);
    void storeLanguageIndex(int index);
    // The open profile's path goes into the state file, so that it reopens at the next
    // start; FileError when the state file cannot hold it (too long, or characters its code
    // page lacks) or cannot be written; the state file is then unchanged.
    void rememberProfilePath();

    // A new profile at the path chosen for it (".hex1" appended), holding firstPart, becomes
    // the open one.
    void create(const QString& chosenName, const PartRecord& firstPart);
    // The profile at path becomes the open one; where there is none, a one-part profile
    // holding firstPart is made. True when the profile existed.
    bool open(const QString& path, const PartRecord& firstPart);
    // The open profile is copied to the path chosen for it (".hex1" appended), with its
    // parts' bin tables, and the copy becomes the open one.
    void saveAs(const QString& chosenName);

    PartRecord loadPart(int partNumber) const;
    // Replaces part n, or appends it when n is one past the last part. A part renamed takes
    // its bin table along (a copy, while another part keeps the old name).
    void storePart(int partNumber, const PartRecord& part);
    // Inserts a part before part n.
    void insertPart(int partNumber, const PartRecord& part);
    // Deletes part n; the later parts move down. Its bin table goes with it, unless another
    // part of the same name keeps it.
    void deletePart(int partNumber);

    // The file of the bin table of the part so named (see bin_table_place.h): beside the
    // open profile, or the one table of work without a profile. It need not exist.
    QString binTablePath(const QString& partName) const;

signals:
    // The open profile, its title or its part count changed.
    void profileChanged();
    // Something the user should know went wrong where no operation reports it.
    void problem(const QString& message);

private:
    void setProfile(const QString& path, int partCount);
    void setPartCount(int partCount);
    bool anyPartNamed(const QString& name) const;
    void carryBinTable(const QString& oldName, const QString& newName);

    QString m_statePath;
    QString m_profilePath;
    QString m_title;
    int m_partCount = 0;
};

} // namespace recording
