#pragma once
#include "recording/append_log_row.h"
#include "recording/profile_store.h"

#include <QObject>

namespace localisation {
struct MainLexicons;
}
namespace session {
class MeterSession;
}

namespace recording {

class ProfileBox;
class RecordingPanel;
class ReferenceBox;

// Carries out the profile and part commands: between the profile store (the files), the
// reference box (the part's controls), the recording panel (start position and the
// table's views of the profile), the profile box (heading and commands) and the meter
// session (a part's settings go to the meter). It also keeps which view of the table
// multi-part mode shows: the profile's references, or a row per part for the readings.
class ProfileController : public QObject {
    Q_OBJECT
public:
    ProfileController(ProfileStore& store, session::MeterSession& session, ReferenceBox& references,
                      RecordingPanel& recording, ProfileBox& profileBox, const localisation::MainLexicons& lexicons,
                      QObject* parent = nullptr);

    // Reads the state file and reopens the profile it names (in single-part mode its part 1
    // is loaded too). True when a profile was reopened; with offerSaveAs, save-as is then
    // offered.
    bool LoadState(bool offerSaveAs);
    // Part n's record into the controls and its settings to the meter.
    void LoadPart(int partNumber);
    // The part names into the name list, then part 1 loaded.
    void FillPartList();
    // The profile's reference view in the table: every part (partIndex 0) or part
    // partIndex + 1 alone.
    void ShowProfileGrid(int partIndex);
    // Multi-part mode's measurement view, once: a row per part with its number and name.
    void ShowMultiMeasurementGrid();

signals:
    // The state file was read (or made): the automatic connection and the window's other
    // remembered settings follow it.
    void stateRead(const recording::StateFileReading& reading);
    // A line for the status log.
    void statusLine(const QString& line);
    // A part was stored: the user is done with the controls for now.
    void partStored();

private:
    void create(const QString& chosenName);
    void open(const QString& path);
    void saveAs(const QString& chosenName);
    void rememberProfilePath();
    void choosePart(int partNumber);
    void stepToPart(int partNumber);
    void selectPartCell(int gridRow, int column);
    void store();
    void insert();
    void remove();
    void modeChosen(LogMode mode);
    // A part operation needs an open profile; without one the user is told so.
    bool requireOpenProfile();
    void reportFailure(const QString& message, const QString& reason);
    PartRecord partFromControls() const;
    bool multiPart() const;

    ProfileStore& m_store;
    session::MeterSession& m_session;
    ReferenceBox& m_references;
    RecordingPanel& m_recording;
    ProfileBox& m_profileBox;
    const localisation::MainLexicons& m_lexicons;
    bool m_measurementGridShown = false; // ProfileGridShown
};

} // namespace recording
