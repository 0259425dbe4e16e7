#pragma once
#include "bins/bin_table.h"
#include "recording/logged_reading.h"
#include "ui/panel/built_on_first_use.h"

#include <QObject>

#include <map>
#include <optional>

class QWidget;

namespace localisation {
struct MainLexicons;
}
namespace recording {
class ProfileStore;
}
namespace session {
class RecordingCore;
}

namespace bins {

class BinWindow;

// The bin table of the part in force, between its file, the recording core and the bins
// window: the table is read from the part's file (ProfileStore::binTablePath) whenever the
// part or the profile changes and handed to the core, which sorts every reading by it; the
// log shows its bin column while there is a table; what the user edits or imports is saved
// to the part's file at once; the last reading's bin and the counts of the recording (from
// its start, or the last reset) follow the core's rows. A file that cannot be read or
// written is said in the status log with the file and the reason. The window is built when
// it is first shown.
class SortingFeed : public QObject {
    Q_OBJECT
public:
    SortingFeed(recording::ProfileStore& profiles, session::RecordingCore& core,
                const localisation::MainLexicons& lexicons, QWidget* window);

    // The part readings are now taken for.
    void followPart(const recording::PartInForce& part);
    void show();
    // The window, once shown, takes the texts of the new language.
    void languageSwitched();
    void importTable(const QString& path);
    void exportTable(const QString& path);
    void resetCounts();

signals:
    void partBuilt(QWidget* part);
    // A line for the status log.
    void statusLine(const QString& line);

private:
    void loadTable();
    void useTable(const std::optional<BinTable>& table);
    void tableEdited(const std::optional<BinTable>& table);
    void readingLogged(const recording::LoggedReading& reading);
    void showTexts();
    void refreshWindow();
    bool windowBuilt() const { return m_windowShown; }

    recording::ProfileStore& m_profiles;
    session::RecordingCore& m_core;
    const localisation::MainLexicons& m_lexicons;
    panel::BuiltOnFirstUse<BinWindow> m_window;
    bool m_windowShown = false;
    recording::PartInForce m_part;
    QString m_tablePath; // of the part in force; read when it changes
    std::optional<BinTable> m_table;
    std::map<Bin, qint64> m_counts;
    std::optional<Bin> m_lastBin;
};

} // namespace bins
