#pragma once

#include "recording/logged_reading.h"
#include "store/bench_settings.h"
#include "store/database_url.h"

#include <QWidget>

#include <memory>

namespace bins {
class SortingFeed;
}
namespace dongle {
class ConnectionBox;
class DongleLink;
} // namespace dongle
namespace localisation {
struct MainLexicons;
class TLangManClient;
class TLangManEngine;
} // namespace localisation
namespace panel {
class FrontPanel;
}
namespace recording {
class BenchDialog;
class ProfileBox;
class ProfileController;
class ProfileStore;
class RecordingPanel;
class ReferenceBox;
class TrendFeed;
struct StateFileReading;
} // namespace recording
namespace session {
class MeterSession;
class RecordingArchive;
class RecordingCore;
} // namespace session
namespace store {
class Forwarder;
}

// The main window "Form1": the composition of the program's components. It creates them,
// lays them out as designed, connects them, and runs the window's creation, first showing,
// language switch and closing. The components own their controls, their state and the
// rules that derive one from the other.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    // The window's designed inside size; it opens at this size.
    static constexpr QSize kDesignedClientSize{1014, 636};

    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Runs the creation handler and shows the window (which runs FormShow once).
    void createAndShow();

    // The components, for whoever drives the window as a whole (tests, benchmarks).
    dongle::DongleLink& link() const { return *m_link; }
    session::MeterSession& session() const { return *m_session; }
    recording::ProfileStore& profiles() const { return *m_profiles; }
    panel::FrontPanel& frontPanel() const { return *m_frontPanel; }
    recording::ReferenceBox& referenceBox() const { return *m_referenceBox; }
    recording::RecordingPanel& recordingPanel() const { return *m_recordingPanel; }
    session::RecordingCore& recordingCore() const { return *m_recordingCore; }
    const localisation::MainLexicons& lexicons() const { return *m_lexicons; }
    localisation::TLangManEngine& languageManager() const { return *m_languages; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createComponents();
    void layOut();
    void wireLink();
    void wireMeter();
    void wireRecording();
    void setUpLocalisation();

    void FormCreate();
    void FormShow();
    void showNoModemMessage();
    void FormCloseQuery(bool& canClose);
    void FormClose();
    void FormResize();
    void FormKeyDown(int key);
    void LangManChangeLangQuery(bool& Continue);
    void LangManChangeLanguage();

    // The reading just shown: judged, coloured, and logged when exactly one of "recording"
    // and "the meter holds" is true.
    void afterRlcdReading();
    void logReading();
    void applyStateReading(const recording::StateFileReading& reading);
    void loadBenchSettings();
    void applyBenchSettings();
    void forwardTo(const std::optional<store::DatabaseUrl>& server, const QString& localPath);
    void wireSorting();
    recording::PartInForce partInForce() const;
    void offerBenchSettings();
    void keepBenchSettings(const store::BenchSettings& settings);
    void storeAutoConnectFlag(bool on);
    void rememberLanguageIndex();
    QList<class QComboBox*> savedComboBoxes() const;

    std::unique_ptr<localisation::TLangManEngine> m_languages; // LangMan
    std::unique_ptr<localisation::MainLexicons> m_lexicons;
    std::unique_ptr<localisation::TLangManClient> m_translator; // LangManClient1
    dongle::DongleLink* m_link = nullptr;
    session::MeterSession* m_session = nullptr;
    recording::ProfileStore* m_profiles = nullptr;
    recording::ProfileBox* m_profileBox = nullptr;
    panel::FrontPanel* m_frontPanel = nullptr;
    dongle::ConnectionBox* m_connectionBox = nullptr;
    recording::ReferenceBox* m_referenceBox = nullptr;
    recording::RecordingPanel* m_recordingPanel = nullptr;
    recording::ProfileController* m_profileController = nullptr;
    recording::TrendFeed* m_trendFeed = nullptr;
    bins::SortingFeed* m_sortingFeed = nullptr;
    session::RecordingCore* m_recordingCore = nullptr;
    session::RecordingArchive* m_archive = nullptr;
    store::Forwarder* m_forwarder = nullptr; // while a server is named
    QString m_forwardedUrl;
    QString m_forwardedFrom;
    recording::BenchDialog* m_benchDialog = nullptr; // built on first use
    store::BenchSettings m_benchSettings;
    QList<int> m_savedComboIndexes; // SavedComboIndexes, in the order of savedComboBoxes()
    bool m_shownOnce = false;
};
