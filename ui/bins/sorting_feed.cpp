#include "ui/bins/sorting_feed.h"

#include "bins/bin_table_csv.h"
#include "localisation/main_lexicons.h"
#include "recording/file_error.h"
#include "recording/profile_store.h"
#include "session/recording_core.h"
#include "ui/bins/bin_window.h"

#include <QDir>
#include <QFile>

namespace bins {

SortingFeed::SortingFeed(recording::ProfileStore& profiles, session::RecordingCore& core,
                         const localisation::MainLexicons& lexicons, QWidget* window) :
    QObject(window),
    m_profiles(profiles), m_core(core), m_lexicons(lexicons),
    m_window(
        [this, window] {
            auto* bins = new BinWindow(window);
            bins->hide();
            connect(bins, &BinWindow::tableEdited, this, &SortingFeed::tableEdited);
            connect(bins, &BinWindow::importChosen, this, &SortingFeed::importTable);
            connect(bins, &BinWindow::exportChosen, this, &SortingFeed::exportTable);
            connect(bins, &BinWindow::resetRequested, this, &SortingFeed::resetCounts);
            return bins;
        },
        [this](QWidget* bins) { emit partBuilt(bins); })
{
    connect(&m_profiles, &recording::ProfileStore::profileChanged, this, &SortingFeed::loadTable);
    connect(&m_core, &session::RecordingCore::readingLogged, this, &SortingFeed::readingLogged);
    connect(&m_core, &session::RecordingCore::recordingToggled, this, [this](bool running) {
        if (running)
            resetCounts();
    });
}

// The file is read only when the part's table is another file than before.
void SortingFeed::followPart(const recording::PartInForce& part)
{
    m_part = part;
    loadTable();
}

// A part without a file has no table; a file that cannot be read leaves it without one
// too, said once for each time the part is taken up.
void SortingFeed::loadTable()
{
    const QString path = m_profiles.binTablePath(m_part.name);
    if (path == m_tablePath) {
        m_core.setBinTable(m_table, m_part);
        return;
    }
    m_tablePath = path;
    std::optional<BinTable> table;
    if (QFile::exists(path)) {
        try {
            table = LoadBinTable(path);
        } catch (const recording::FileError& error) {
            emit statusLine(m_lexicons.D4.GetItem(localisation::BinTableNotRead) + error.message());
        }
    }
    useTable(table);
    if (windowBuilt())
        m_window.get()->showTable(m_table);
}

void SortingFeed::useTable(const std::optional<BinTable>& table)
{
    m_table = table;
    m_core.setBinTable(m_table, m_part);
    m_core.log().setBinColumnShown(m_table.has_value());
}

// The part's file follows the editor at once; a table taken away leaves no file.
void SortingFeed::tableEdited(const std::optional<BinTable>& table)
{
    try {
        if (table)
            SaveBinTable(m_tablePath, *table);
        else if (QFile::exists(m_tablePath) && !QFile::remove(m_tablePath))
            throw recording::FileError(
                QStringLiteral("cannot delete the bin table %1").arg(QDir::toNativeSeparators(m_tablePath)));
    } catch (const recording::FileError& error) {
        const QString line = m_lexicons.D4.GetItem(localisation::BinTableNotSaved) + error.message();
        emit statusLine(line);
        m_window.get()->showProblem(line);
    }
    useTable(table);
}

void SortingFeed::importTable(const QString& path)
{
    try {
        const BinTable table = LoadBinTable(path);
        m_window.get()->showTable(table);
        tableEdited(table);
    } catch (const recording::FileError& error) {
        const QString line = m_lexicons.D4.GetItem(localisation::BinTableNotRead) + error.message();
        emit statusLine(line);
        m_window.get()->showProblem(line);
    }
}

void SortingFeed::exportTable(const QString& path)
{
    if (!m_table)
        return;
    try {
        SaveBinTable(path, *m_table);
        emit statusLine(m_lexicons.D4.GetItem(localisation::BinTableExported) + QDir::toNativeSeparators(path));
    } catch (const recording::FileError& error) {
        const QString line = m_lexicons.D4.GetItem(localisation::BinTableNotSaved) + error.message();
        emit statusLine(line);
        m_window.get()->showProblem(line);
    }
}

void SortingFeed::resetCounts()
{
    m_counts.clear();
    m_lastBin.reset();
    refreshWindow();
}

void SortingFeed::readingLogged(const recording::LoggedReading& reading)
{
    m_lastBin = reading.numbers.bin;
    if (m_lastBin)
        ++m_counts[*m_lastBin];
    refreshWindow();
}

void SortingFeed::show()
{
    BinWindow* bins = m_window.get();
    if (!std::exchange(m_windowShown, true))
        bins->showTable(m_table);
    showTexts();
    refreshWindow();
    bins->show();
    bins->raise();
    bins->activateWindow();
}

void SortingFeed::languageSwitched()
{
    if (windowBuilt())
        showTexts();
}

void SortingFeed::showTexts()
{
    using namespace localisation;
    const TDesignedLexicon& texts = m_lexicons.D4;
    m_window.get()->setTexts(
        {texts.GetItem(BinsTitle),
         {texts.GetItem(BinHeading), texts.GetItem(BinModeHeading), texts.GetItem(BinLowHeading),
          texts.GetItem(BinHighHeading), texts.GetItem(BinSecondaryLowHeading), texts.GetItem(BinSecondaryHighHeading)},
         texts.GetItem(BinAuxOn),
         texts.GetItem(BinAdd),
         texts.GetItem(BinRemove),
         texts.GetItem(BinImport),
         texts.GetItem(BinExport),
         texts.GetItem(BinCountsReset),
         texts.GetItem(BinLastReading),
         texts.GetItem(NoBinTable),
         texts.GetItem(BinTableFiles)});
}

void SortingFeed::refreshWindow()
{
    if (!windowBuilt())
        return;
    BinWindow* bins = m_window.get();
    bins->showLastBin(m_lastBin);
    bins->showCounts(m_counts);
}

} // namespace bins
