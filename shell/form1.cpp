#include "shell/form1.h"

#include "platform/install_paths.h"
#include "ui/localisation/lang_man_client.h"
#include "localisation/lang_man_engine.h"
#include "link/dongle_link.h"
#include "ui/connection/connection_box.h"
#include "ui/localisation/lang_combo.h"
#include "localisation/main_lexicons.h"
#include "localisation/rlc_language_settings.h"
#include "ui/panel/designed_controls.h"
#include "ui/panel/front_panel.h"
#include "ui/panel/messages.h"
#include "recording/file_error.h"
#include "recording/profile_store.h"
#include "recording/state_file.h"
#include "ui/recording/bench_dialog.h"
#include "ui/recording/profile_box.h"
#include "ui/recording/profile_controller.h"
#include "ui/recording/recording_panel.h"
#include "ui/recording/reference_box.h"
#include "ui/recording/trend_feed.h"
#include "ui/bins/sorting_feed.h"
#include "rlc_version.h"
#include "session/recording_archive.h"
#include "session/recording_core.h"
#include "session/forwarding_lines.h"
#include "store/bench_settings.h"
#include "store/database_url.h"
#include "store/forwarder.h"
#include "store/measurement_store.h"
#include "store/store_error.h"
#include "session/meter_session.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QComboBox>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTableView>

namespace {

constexpr int kMinimumOuterWidth = 1024;
constexpr int kMinimumOuterHeight = 600;
constexpr int kWindowFontPixels = 15;

// The designed arrangement: a top band with the profile box, the front panel, the
// connection box and the status log; below it the reference and recording boxes; the table
// fills the rest.
const QRect kProfileBoxPlace(0, 0, 209, 192);
const QRect kFrontPanelPlace(209, 0, 601, 192);
const QRect kConnectionBoxPlace(812, 0, 161, 35);
const QRect kStatusLogPlace(812, 42, 211, 140);
const QRect kReferenceBoxPlace(0, 192, 458, 88);
const QRect kRecordingBoxPlace(458, 192, 556, 88);
const QRect kTablePlace(0, 280, 1014, 356);

} // namespace

TForm1::TForm1(QWidget* parent) :
    QWidget(parent), m_languages(std::make_unique<localisation::TLangManEngine>()),
    m_lexicons(std::make_unique<localisation::MainLexicons>())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Регистратор данных для RLC метра ZR48 версия " RLC_VERSION));
    setFont(panel::boldCalibri(kWindowFontPixels));
    resize(kDesignedClientSize);
    createComponents();
    layOut();
    wireLink();
    wireMeter();
    wireRecording();
    setUpLocalisation();
    qApp->installEventFilter(this); // the window sees every key before the focused control
}

// The window hides itself while it is still whole: hiding reaches every control, and their
// reactions must not find a window that is half torn down.
TForm1::~TForm1()
{
    hide();
}

// In the designed order of the controls, which is their order on screen and for the keys.
void TForm1::createComponents()
{
    m_link = new dongle::DongleLink(this);
    m_session = new session::MeterSession(*m_link, *m_lexicons, this);
    m_profiles = new recording::ProfileStore(recording::state_file::DefaultPath(), this);
    m_profileBox = new recording::ProfileBox(*m_lexicons, this);
    m_frontPanel = new panel::FrontPanel(*m_session, *m_link, this);
    m_connectionBox = new dongle::ConnectionBox(*m_link, *m_lexicons, this);
    m_referenceBox = new recording::ReferenceBox(*m_lexicons, this);
    m_recordingCore = new session::RecordingCore(
        *m_lexicons, [this](const QString& line) { m_connectionBox->appendStatus(line); }, this);
    m_archive = new session::RecordingArchive(
        *m_recordingCore, *m_session, *m_lexicons, [this](const QString& line) { m_connectionBox->appendStatus(line); },
        this);
    m_recordingPanel =
        new recording::RecordingPanel(*m_lexicons, *m_profiles, *m_recordingCore, this, m_profileBox->modeBoxPlace());
    m_trendFeed =
        new recording::TrendFeed(*m_session, *m_referenceBox, *m_recordingCore, *m_archive, *m_lexicons, this);
    m_sortingFeed = new bins::SortingFeed(*m_profiles, *m_recordingCore, *m_lexicons, this);
    m_profileController = new recording::ProfileController(*m_profiles, *m_session, *m_referenceBox, *m_recordingPanel,
                                                           *m_profileBox, *m_lexicons, this);
}

void TForm1::layOut()
{
    m_profileBox->setGeometry(kProfileBoxPlace);
    m_frontPanel->setGeometry(kFrontPanelPlace);
    m_connectionBox->box()->setGeometry(kConnectionBoxPlace);
    m_connectionBox->statusLog()->setGeometry(kStatusLogPlace);
    m_referenceBox->setGeometry(kReferenceBoxPlace);
    m_recordingPanel->box()->setGeometry(kRecordingBoxPlace);
    m_recordingPanel->table()->setGeometry(kTablePlace);
}

// What the link's states mean for the rest of the window.
void TForm1::wireLink()
{
    using dongle::DongleLink;
    connect(m_connectionBox, &dongle::ConnectionBox::connectClicked, this,
            [this] { m_frontPanel->showVerdict(false); });
    connect(m_connectionBox, &dongle::ConnectionBox::autoConnectChanged, this, &TForm1::storeAutoConnectFlag);
    connect(m_link, &DongleLink::dongleReady, this, [this] { m_frontPanel->setEnabled(true); });
    for (auto notLinked : {&DongleLink::connectionStarted, &DongleLink::connectionFailed,
                           &DongleLink::connectionRefused, &DongleLink::portClosed})
        connect(m_link, notLinked, this, [this] { m_recordingPanel->setLinkUp(false); });
    connect(m_link, &DongleLink::meterLinkedUp, this, [this] {
        m_recordingPanel->setLinkUp(true);
        m_profileBox->setProfileEditing(false);
        m_referenceBox->offerPartEditing(false);
    });
    connect(m_link, &DongleLink::meterLinkLost, this, [this] {
        m_profileBox->setProfileEditing(true);
        m_recordingPanel->setLinkUp(false);
        m_referenceBox->offerPartEditing(true);
    });
    for (auto linkDown : {&DongleLink::meterLinkLost, &DongleLink::portClosed}) {
        connect(m_link, linkDown, m_session, &session::MeterSession::clearReadings);
        connect(m_link, linkDown, m_recordingCore, &session::RecordingCore::linkDown);
    }
    connect(m_link, &DongleLink::meterLinkedUp, m_recordingCore, &session::RecordingCore::linkUp);
    connect(m_link, &DongleLink::frameArrived, m_recordingCore, &session::RecordingCore::frameArrived);
    connect(m_link, &DongleLink::portError, m_session, &session::MeterSession::clearLastSideReading);
    connect(m_link, &DongleLink::probeFinished, this, [this](DongleLink::ProbeResult result) {
        if (result == DongleLink::ProbeResult::Silent)
            showNoModemMessage();
    });
}

// The meter's reports and the user's settings between the session, the front panel and
// the recording box.
void TForm1::wireMeter()
{
    connect(m_session, &session::MeterSession::settingsShown, this, [this](const meter::SettingsIndicators& shown) {
        m_recordingPanel->showHold(shown.holdDown, m_profileBox->profileEditing());
        if (shown.intervalItem)
            m_recordingPanel->showInterval(*shown.intervalItem);
    });
    connect(m_frontPanel, &panel::FrontPanel::holdToggled, this,
            [this](bool down) { m_recordingPanel->showHold(down, m_profileBox->profileEditing()); });
    connect(m_session, &session::MeterSession::rlcdDecoded, this, &TForm1::afterRlcdReading);
    connect(m_session, &session::MeterSession::settingsShown, m_recordingCore,
            [this] { m_recordingCore->followIntervalCode(m_session->settings().IntervalCode); });
    connect(m_profileBox, &recording::ProfileBox::modeCommandChosen, m_session,
            &session::MeterSession::sendModeCommand);
    // The interval list holds frames off while it is open; a list closed without a choice
    // sends nothing, so the command timer lets the frames through as after a transmission.
    using recording::RecordingPanel;
    connect(m_recordingPanel, &RecordingPanel::intervalListOpened, m_link,
            &dongle::DongleLink::holdFramesWhileChoosing);
    connect(m_recordingPanel, &RecordingPanel::intervalChosen, this, [this](int item) {
        m_session->setIntervalItem(item);
        m_session->submit();
    });
    connect(m_recordingPanel, &RecordingPanel::intervalListClosed, m_link, &dongle::DongleLink::releaseFramesLater);
}

void TForm1::wireRecording()
{
    using recording::RecordingPanel;
    connect(m_recordingPanel, &RecordingPanel::recordingToggled, this, [this](bool running) {
        m_frontPanel->setRecordingRuns(running);
        m_trendFeed->recordingToggled(running);
        // So that a later space bar cannot press a button.
        m_connectionBox->statusLog()->setFocus();
    });
    using session::RecordingCore;
    connect(m_recordingCore, &RecordingCore::rowLogged, this,
            [this](int gridRow, const QDateTime& when, recording::VerdictCode verdict) {
                m_recordingPanel->showLoggedRow(gridRow);
                m_trendFeed->rowLogged(when, verdict);
            });
    m_recordingCore->setReference(m_referenceBox->referenceValues());
    connect(m_referenceBox, &recording::ReferenceBox::referenceChanged, m_recordingCore, &RecordingCore::setReference);
    connect(m_recordingPanel, &RecordingPanel::trendRequested, m_trendFeed, &recording::TrendFeed::show);
    connect(m_recordingPanel, &RecordingPanel::benchRequested, this, &TForm1::offerBenchSettings);
    wireSorting();
    connect(m_recordingPanel, &RecordingPanel::statusLine, m_connectionBox, &dongle::ConnectionBox::appendStatus);
    using recording::ProfileController;
    connect(m_profileController, &ProfileController::statusLine, m_connectionBox, &dongle::ConnectionBox::appendStatus);
    connect(m_profileController, &ProfileController::stateRead, this, &TForm1::applyStateReading);
    connect(m_profileController, &ProfileController::partStored, this,
            [this] { m_connectionBox->statusLog()->setFocus(); });
}

// The part of the open profile readings are taken for; without a profile there is none, as
// for the recorder without a part, whatever the part boxes hold.
recording::PartInForce TForm1::partInForce() const
{
    if (!m_profiles->hasProfile())
        return {};
    return {m_referenceBox->partNumber(), m_referenceBox->partName()};
}

// The bin table follows the part readings are taken for, however it was chosen.
void TForm1::wireSorting()
{
    const auto followPart = [this] { m_sortingFeed->followPart(partInForce()); };
    followPart();
    using recording::ReferenceBox;
    connect(m_referenceBox, &ReferenceBox::referenceChanged, m_sortingFeed, followPart);
    connect(m_referenceBox, &ReferenceBox::partChosen, m_sortingFeed, followPart);
    connect(m_referenceBox, &ReferenceBox::partStepped, m_sortingFeed, followPart);
    connect(m_profileController, &recording::ProfileController::partStored, m_sortingFeed, followPart);
    connect(m_recordingPanel, &recording::RecordingPanel::binsRequested, m_sortingFeed, &bins::SortingFeed::show);
    connect(m_sortingFeed, &bins::SortingFeed::statusLine, m_connectionBox, &dongle::ConnectionBox::appendStatus);
}

void TForm1::setUpLocalisation()
{
    localisation::configureRlcLanguageSettings(*m_languages);
    // The language files beside the executable in the build folder, else the installed ones.
    m_languages->setLangSubdirectory(install_paths::languageSubdirectory(m_languages->executableDir()));
    m_languages->OnChangeLangQuery = [this](localisation::TLangManEngine*, bool& Continue) {
        LangManChangeLangQuery(Continue);
    };
    m_languages->OnChangeLanguage = [this](localisation::TLangManEngine*) { LangManChangeLanguage(); };
    m_lexicons->bindTo(m_languages.get());
    m_frontPanel->languageSelector()->setLangManEngine(m_languages.get());
    m_translator = std::make_unique<localisation::TLangManClient>(this, m_languages.get());
    m_translator->InitAfterCreateForm = true;
    // Dialogs and the trend window are built on first use; the translator takes each in then.
    const auto takeIn = [this](QWidget* part) { m_translator->AddLatePart(part); };
    connect(m_profileBox, &recording::ProfileBox::partBuilt, this, takeIn);
    connect(m_recordingPanel, &recording::RecordingPanel::partBuilt, this, takeIn);
    connect(m_trendFeed, &recording::TrendFeed::partBuilt, this, takeIn);
    connect(m_sortingFeed, &bins::SortingFeed::partBuilt, this, takeIn);
    // The first activation of the application is one of the engine's moments to start.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            m_languages->ApplicationActivated();
    });
}

// --- lifecycle -----------------------------------------------------------------------------

void TForm1::createAndShow()
{
    m_translator->runFormCreate([this] { FormCreate(); });
    show();
}

void TForm1::FormCreate()
{
    m_connectionBox->clearStatus();
    m_referenceBox->FormCreate();
    m_profileBox->FormCreate();
    m_frontPanel->languageSelector()->hide();
    m_languages->setDefaultLanguage(QStringLiteral("English"));
    m_link->loadPortFinder(install_paths::portFinderFolders(QCoreApplication::applicationDirPath()));
    m_profileController->LoadState(true);
    m_session->ResetSettings();
    m_session->SyncMenus();
    m_referenceBox->showHeading();
    m_recordingPanel->showHeading();
    m_recordingPanel->FormCreate();
    loadBenchSettings();
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    FormShow();
}

void TForm1::FormShow()
{
    m_link->probe();
}

// The message waits for its OK without holding the window's events up.
void TForm1::showNoModemMessage()
{
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Test"),
                                QStringLiteral("No modem responding on ") + m_link->portName(), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose) {
        event->ignore();
        return;
    }
    FormClose();
    QWidget::closeEvent(event);
}

void TForm1::FormCloseQuery(bool& canClose)
{
    m_link->stopWatching();
    m_frontPanel->setEnabled(false);
    canClose = true;
}

void TForm1::FormClose()
{
    m_frontPanel->setEnabled(false);
    m_recordingCore->finish();
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TForm1::FormResize()
{
    const QSize frameExtra = frameGeometry().size() - size();
    QSize client = size();
    if (frameGeometry().width() < kMinimumOuterWidth)
        client.setWidth(kMinimumOuterWidth - frameExtra.width());
    if (frameGeometry().height() < kMinimumOuterHeight)
        client.setHeight(kMinimumOuterHeight - frameExtra.height());
    if (client != size())
        resize(client);
    QTableView* table = m_recordingPanel->table();
    table->setGeometry(0, table->y(), width(), height() - table->y());
}

// --- readings ------------------------------------------------------------------------------

void TForm1::afterRlcdReading()
{
    const recording::ReadingJudgement& judgement = m_recordingCore->judge(*m_session);
    m_frontPanel->showVerdict(judgement.verdict != recording::VerdictPass);
    const bool held = m_session->settings().Hold == 1;
    if (m_recordingPanel->isRecording() != held)
        logReading();
}

void TForm1::logReading()
{
    m_recordingCore->logReading(*m_session, partInForce());
}

// The window sees every key before the focused control (key preview); the key is not
// consumed.
bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && widget == QApplication::focusWidget())
            FormKeyDown(static_cast<QKeyEvent*>(event)->key());
    }
    return QWidget::eventFilter(watched, event);
}

// The space bar takes one reading by hand while the meter is linked, no choice is on its
// way and recording does not run.
void TForm1::FormKeyDown(int key)
{
    if (key != Qt::Key_Space || m_link->framesHeld() || m_recordingPanel->isRecording() || !m_link->isMeterLinked())
        return;
    if (m_recordingPanel->mode() == recording::LogMode::MultiPart)
        m_profileController->ShowMultiMeasurementGrid();
    logReading();
}

// --- the bench ------------------------------------------------------------------------------

void TForm1::loadBenchSettings()
{
    const QString path = store::DefaultBenchSettingsPath();
    try {
        const store::BenchSettingsReading reading = store::LoadBenchSettings(path);
        for (const QString& problem : reading.problems)
            m_connectionBox->appendStatus(m_lexicons->D4.GetItem(localisation::BenchNotRead)
                                          + QDir::toNativeSeparators(path) + QStringLiteral(", ") + problem);
        m_benchSettings = reading.settings;
    } catch (const store::StoreError& error) {
        m_connectionBox->appendStatus(m_lexicons->D4.GetItem(localisation::BenchNotRead) + error.message());
    }
    applyBenchSettings();
}

// What the settings leave empty, the computer and the environment name.
void TForm1::applyBenchSettings()
{
    const store::BenchSettings& bench = m_benchSettings;
    m_archive->setBench(session::NamedBench(bench.station, bench.operatorName, bench.lot, QStringLiteral(RLC_VERSION)));
    std::optional<store::DatabaseUrl> named;
    const bool fromSettings = !bench.database.isEmpty();
    const QString text = fromSettings ? bench.database : qEnvironmentVariable("RLC_DATABASE");
    if (!text.isEmpty()) {
        const auto read = store::ReadDatabaseUrl(text);
        if (const auto* url = std::get_if<store::DatabaseUrl>(&read))
            named = *url;
        else
            m_connectionBox->appendStatus(m_lexicons->D4.GetItem(localisation::DatabaseNotKept)
                                          + (fromSettings ? QDir::toNativeSeparators(store::DefaultBenchSettingsPath())
                                                          : QStringLiteral("RLC_DATABASE"))
                                          + QStringLiteral(": ") + std::get<QString>(read));
    }
    const store::DatabaseChoice database = store::ChooseDatabase(named);
    m_archive->useDatabase(database.localPath, database.forwarding);
    forwardTo(database.forwarding ? named : std::nullopt, database.localPath);
}

// With a server named, a forwarder sends it what the local file keeps, in a thread of its
// own; choosing another database replaces it, and what waits goes with the next one.
void TForm1::forwardTo(const std::optional<store::DatabaseUrl>& server, const QString& localPath)
{
    const QString serverUrl = server ? server->serverUrl : QString();
    if (m_forwarder && serverUrl == m_forwardedUrl && localPath == m_forwardedFrom)
        return;
    delete m_forwarder;
    m_forwarder = nullptr;
    m_forwardedUrl = serverUrl;
    m_forwardedFrom = localPath;
    if (!server)
        return;
    m_forwarder = new store::Forwarder(localPath, *server, this);
    const auto* lines = new session::ForwardingLines(*m_forwarder, *m_lexicons, localPath, m_forwarder);
    connect(lines, &session::ForwardingLines::line, m_connectionBox, &dongle::ConnectionBox::appendStatus);
    m_forwarder->start();
}

void TForm1::offerBenchSettings()
{
    if (!m_benchDialog) {
        m_benchDialog = new recording::BenchDialog(this);
        // A dialog keeps its inner widgets from the translating client; ours are named to be
        // translated, so each is taken in by itself.
        for (QWidget* part : m_benchDialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            m_translator->AddLatePart(part);
        connect(m_benchDialog, &recording::BenchDialog::settingsChosen, this, &TForm1::keepBenchSettings);
    }
    m_benchDialog->setWindowTitle(m_lexicons->D4.GetItem(localisation::BenchTitle));
    const QString environment = qEnvironmentVariable("RLC_DATABASE");
    m_benchDialog->offer(m_benchSettings,
                         {session::DefaultStation(), session::DefaultOperator(),
                          environment.isEmpty() ? store::MeasurementStore::defaultPath() : environment});
}

// The settings apply from the next recording on, kept or not.
void TForm1::keepBenchSettings(const store::BenchSettings& settings)
{
    m_benchSettings = settings;
    try {
        store::SaveBenchSettings(store::DefaultBenchSettingsPath(), settings);
    } catch (const store::StoreError& error) {
        m_connectionBox->appendStatus(m_lexicons->D4.GetItem(localisation::BenchNotKept) + error.message());
    }
    applyBenchSettings();
}

// --- the state file ------------------------------------------------------------------------

// What the state file brings back beyond the profile: the automatic connection, and the
// frequency menu's tail, rewritten on every reading of the file.
void TForm1::applyStateReading(const recording::StateFileReading& reading)
{
    if (reading.read) {
        m_connectionBox->restoreAutoConnect(reading.autoConnect);
        m_languages->setDefaultLanguage(QStringLiteral("English"));
    }
    m_frontPanel->rewriteFrequencyTail(reading.read, reading.existed);
}

void TForm1::storeAutoConnectFlag(bool on)
{
    try {
        m_profiles->storeAutoConnect(on);
    } catch (const recording::FileError& error) {
        panel::showToolkitError(this, error.message());
    }
}
