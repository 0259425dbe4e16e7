#include "form1.h"

#include "drop_down_combo.h"
#include "heading_panel.h"
#include "install_paths.h"
#include "part_spin_edit.h"
#include "lang_combo.h"
#include "lang_man_client.h"
#include "lang_man_engine.h"
#include "link/dongle_link.h"
#include "link/meter_command.h"
#include "link/ui/connection_box.h"
#include "main_lexicons.h"
#include "panel/front_panel.h"
#include "recording_journal.h"
#include "rlc_language_settings.h"
#include "session/meter_session.h"
#include "trend_chart_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>

namespace {

constexpr int kMinimumOuterWidth = 1024;
constexpr int kMinimumOuterHeight = 600;

} // namespace

TForm1::TForm1(QWidget* parent) :
    QWidget(parent),
    LangMan(std::make_unique<localisation::TLangManEngine>()),
    lexicons(std::make_unique<localisation::MainLexicons>()),
    m_link(new dongle::DongleLink(this)),
    m_session(new session::MeterSession(*m_link, *lexicons, this))
{
    buildControls();
    wireEvents();
    setUpLocalisation();
}

void TForm1::setUpLocalisation()
{
    localisation::configureRlcLanguageSettings(*LangMan);
    // The language files beside the executable in the build folder, else the installed ones.
    LangMan->setLangSubdirectory(install_paths::languageSubdirectory(LangMan->executableDir()));
    LangMan->OnChangeLangQuery = [this](localisation::TLangManEngine*, bool& Continue) {
        LangManChangeLangQuery(Continue);
    };
    LangMan->OnChangeLanguage = [this](localisation::TLangManEngine*) { LangManChangeLanguage(); };
    lexicons->bindTo(LangMan.get());
    m_frontPanel->languageSelector()->setLangManEngine(LangMan.get());
    LangManClient1 = std::make_unique<localisation::TLangManClient>(this, LangMan.get());
    LangManClient1->InitAfterCreateForm = true;
    // The first activation of the application is one of the engine's moments to start.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            LangMan->ApplicationActivated();
    });
}

// The window hides itself while it is still whole: hiding reaches every control, and their
// reactions must not find a window that is half torn down.
TForm1::~TForm1()
{
    hide();
}

void TForm1::wireEvents()
{
    connect(Button2, &QPushButton::clicked, this, [this] { m_session->sendModeCommand(dongle::kModeRlcd); });
    connect(Button1, &QPushButton::clicked, this, [this] { m_session->sendModeCommand(dongle::kModeRd); });
    connect(Button3, &QPushButton::clicked, this, [this] { m_session->sendModeCommand(dongle::kModeU); });
    wireLink();
    wireRecording();
    wireReferences();
    wireProfiles();
    wireExports();
    wireTrend();
}

// What the link's states mean for the rest of the window.
void TForm1::wireLink()
{
    using dongle::DongleLink;
    connect(m_connectionBox, &dongle::ConnectionBox::connectClicked, this, [this] { m_frontPanel->showVerdict(false); });
    connect(m_connectionBox, &dongle::ConnectionBox::autoConnectChanged, this, &TForm1::storeAutoConnectFlag);
    connect(m_link, &DongleLink::dongleReady, this, [this] { m_frontPanel->setEnabled(true); });
    for (auto linkLeft : {&DongleLink::connectionStarted, &DongleLink::connectionFailed, &DongleLink::connectionRefused,
                          &DongleLink::portClosed})
        connect(m_link, linkLeft, this, [this] { SP1->setEnabled(false); });
    connect(m_link, &DongleLink::meterLinkedUp, this, [this] {
        SP1->setEnabled(true);
        SB4->setChecked(false);
        Button_Add->setEnabled(false);
        Button_DEL->setEnabled(false);
    });
    connect(m_link, &DongleLink::meterLinkLost, this, [this] {
        SB4->setChecked(true);
        SP1->setEnabled(false);
        Button_Add->setEnabled(true);
        Button_DEL->setEnabled(true);
    });
    for (auto linkDown : {&DongleLink::meterLinkLost, &DongleLink::portClosed})
        connect(m_link, linkDown, m_session, &session::MeterSession::clearReadings);
    connect(m_link, &DongleLink::portError, m_session, &session::MeterSession::clearLastSideReading);
    connect(m_session, &session::MeterSession::settingsShown, this, [this](const meter::SettingsIndicators& shown) {
        applyHoldToRecording(shown.holdDown);
        if (shown.intervalItem) {
            const QSignalBlocker quiet(CB1);
            CB1->setCurrentIndex(*shown.intervalItem);
        }
    });
    connect(m_frontPanel, &panel::FrontPanel::holdToggled, this, &TForm1::applyHoldToRecording);
    // The interval list holds frames off while it is open; a list closed without a choice
    // sends nothing, so the command timer lets the frames through as after a transmission.
    connect(CB1, &panel::DropDownCombo::droppedDown, m_link, &dongle::DongleLink::holdFrames);
    connect(CB1, &QComboBox::activated, this, [this](int item) {
        m_link->holdFrames();
        m_session->setIntervalItem(item);
        m_session->submit();
    });
    connect(CB1, &panel::DropDownCombo::closedUp, m_link, &dongle::DongleLink::releaseFramesLater);
    connect(m_session, &session::MeterSession::rlcdDecoded, this, &TForm1::afterRlcdReading);
}

void TForm1::applyHoldToRecording(bool hold)
{
    if (hold)
        SP1->setEnabled(false);
    else if (!SB4->isChecked())
        SP1->setEnabled(true);
}

void TForm1::createAndShow()
{
    LangManClient1->runFormCreate([this] { FormCreate(); });
    show();
}

void TForm1::FormCreate()
{
    m_connectionBox->clearStatus();
    SE2->setStep(-1);
    Button_Add->setEnabled(false);
    Button_DEL->setEnabled(false);
    SB4->hide();
    m_frontPanel->languageSelector()->hide();
    LangMan->setDefaultLanguage(QStringLiteral("English"));
    Panel5->resize(Panel5->width(), 85);
    m_link->loadPortFinder(install_paths::portFinderFolders(QCoreApplication::applicationDirPath()));
    if (LoadState() == 1) {
        SB3->setEnabled(true);
        SB4->setEnabled(true);
    }
    m_session->ResetSettings();
    m_session->SyncMenus();
    JvP1->setCaption(lexicons->D1.GetItem(6));
    JvP11->setCaption(lexicons->D1.GetItem(1));
    {
        const QSignalBlocker quiet(CBox10);
        CBox10->setCurrentIndex(0);
    }
    ShowSingleHeader();
    updateGridSelectability();
    SP1->setEnabled(false);
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
    if (m_link->probe() != dongle::DongleLink::ProbeResult::Silent)
        return;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Test"),
                    QStringLiteral("No modem responding on ") + m_link->portName(), QMessageBox::Ok, this);
    box.exec();
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
    SG->setGeometry(0, SG->y(), width(), height() - SG->y());
}

void TForm1::appendStatus(const QString& line)
{
    m_connectionBox->appendStatus(line);
}

void TForm1::showToolkitError(const QString& message)
{
    QMessageBox::critical(this, QCoreApplication::applicationName(), message);
}
