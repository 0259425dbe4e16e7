#include "form1.h"

#include "com_port.h"
#include "component_pictures.h"
#include "display_view.h"
#include "drop_down_combo.h"
#include "heading_panel.h"
#include "install_paths.h"
#include "lang_combo.h"
#include "lang_man_client.h"
#include "lang_man_engine.h"
#include "rlc_language_settings.h"
#include "main_lexicons.h"
#include "part_spin_edit.h"
#include "port_finder.h"
#include "recording_journal.h"
#include "trend_chart_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

namespace {

constexpr int kMinimumOuterWidth = 1024;
constexpr int kMinimumOuterHeight = 600;
constexpr int kProbeWaitMs = 200;
constexpr int kProbeReadLength = 40;

// The probe holds the window still while the dongle answers: no user input and none of
// the window's timers, but the port (and anything else on the event loop) keeps working.
void waitMs(int ms, const QList<QTimer*>& heldTimers)
{
    QList<QTimer*> paused;
    for (QTimer* timer : heldTimers) {
        if (timer->isActive()) {
            timer->stop();
            paused << timer;
        }
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    for (QTimer* timer : paused)
        timer->start();
}

QTimer* makeTimer(QObject* owner, const char* name, int intervalMs)
{
    auto* timer = new QTimer(owner);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(intervalMs);
    return timer;
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent),
      LangMan(std::make_unique<localisation::TLangManEngine>()),
      lexicons(std::make_unique<localisation::MainLexicons>()),
      m_portFinder(std::make_unique<dongle::PortFinder>())
{
    buildControls();
    for (const QImage& picture : panel::ComponentPictures())
        ImList1 << QPixmap::fromImage(picture);
    ComPort = new dongle::ComPort(this);
    ComPort->setObjectName(QStringLiteral("ComPort"));
    T2 = makeTimer(this, "T2", 2000);
    T3 = makeTimer(this, "T3", 2500);
    Timer_TX = makeTimer(this, "Timer_TX", 1000);
    wireEvents();
    setUpLocalisation();
    T3->start();
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
    LangCombo1->setLangManEngine(LangMan.get());
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
    connect(T2, &QTimer::timeout, this, &TForm1::T2Timer);
    connect(T3, &QTimer::timeout, this, &TForm1::T3Timer);
    connect(Timer_TX, &QTimer::timeout, this, &TForm1::Timer_TXTimer);
    connect(CB1, &panel::DropDownCombo::droppedDown, this, &TForm1::CB1DropDown);
    connect(CB1, &QComboBox::activated, this, &TForm1::CB1Click);
    connect(CB1, &panel::DropDownCombo::closedUp, this, &TForm1::CB1CloseUp);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    wireMenus();
    wireFunctionButtons();
    wireRecording();
    wireReferences();
    wireProfiles();
    wireExports();
    wireTrend();
    connect(B2, &QPushButton::clicked, this, &TForm1::B2Click);
    connect(CheckBox_connect_auto, &QCheckBox::clicked, this, &TForm1::CheckBox_connect_autoClick);
    connect(ComPort, &dongle::ComPort::afterOpen, this, &TForm1::ComPortAfterOpen);
    connect(ComPort, &dongle::ComPort::beforeClose, this, &TForm1::ComPortBeforeClose);
    connect(ComPort, &dongle::ComPort::rxChar, this, &TForm1::ComPortRxChar);
    connect(ComPort, &dongle::ComPort::exception, this, &TForm1::ComPortException);
}

void TForm1::createAndShow()
{
    LangManClient1->runFormCreate([this] { FormCreate(); });
    show();
}

void TForm1::FormCreate()
{
    Memo1->clear();
    SE2->setStep(-1);
    Button_Add->setEnabled(false);
    Button_DEL->setEnabled(false);
    SB4->hide();
    LangCombo1->hide();
    LangMan->setDefaultLanguage(QStringLiteral("English"));
    Panel5->resize(Panel5->width(), 85);
    m_portFinder->load(install_paths::portFinderFolders(QCoreApplication::applicationDirPath()));
    if (LoadState() == 1) {
        SB3->setEnabled(true);
        SB4->setEnabled(true);
    }
    ResetSettings();
    SyncMenus();
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
    if (!FindDongle())
        return;
    QCoreApplication::processEvents();
    QByteArray answer;
    {
        // The probe reads the answer itself; the receive reaction must not take it first.
        const QSignalBlocker probing(ComPort);
        ComPort->write("AT");
        waitMs(kProbeWaitMs, {T2, T3, Timer_TX});
        ComPort->purge();
        ComPort->write("AT");
        waitMs(kProbeWaitMs, {T2, T3, Timer_TX});
        answer = ComPort->read(kProbeReadLength);
    }
    if (answer.contains("OK"))
        return;
    const QString port = ComPort->portName();
    ComPort->close();
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Test"), QStringLiteral("No modem responding on ") + port,
                    QMessageBox::Ok, this);
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
    T2->stop();
    T3->stop();
    P5->setEnabled(false);
    canClose = true;
}

void TForm1::FormClose()
{
    P5->setEnabled(false);
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

void TForm1::showToolkitError(const QString& message)
{
    QMessageBox::critical(this, QCoreApplication::applicationName(), message);
}
