#include "ui/panel/front_panel.h"

#include "link/dongle_link.h"
#include "link/meter_command.h"
#include "ui/panel/designed_controls.h"
#include "ui/panel/display_view.h"
#include "ui/panel/hover_label.h"
#include "ui/panel/menu_list.h"
#include "session/meter_session.h"

#include <QLabel>
#include <QPushButton>

namespace panel {
namespace {

// The frequency menu's rows from 11 on, which reading the state file rewrites.
constexpr int kFrequencyTailStart = 11;
constexpr int kFrequencyTailTrimmed = 4;
const QString kFrequencyItem75k = QStringLiteral("75kHz");

// Selects a row without running the list's click reaction; a row the list does not have
// leaves it without a selection.
void selectQuietly(QListWidget* list, int row)
{
    const QSignalBlocker quiet(list);
    list->setCurrentRow(row < list->count() ? row : -1);
}

} // namespace

FrontPanel::FrontPanel(session::MeterSession& session, dongle::DongleLink& link, QWidget* parent) :
    QFrame(parent), m_session(session), m_link(link)
{
    buildControls();
    wireMenus();
    wireFunctionKeys();
    wireSession();
    showDisplay();
}

void FrontPanel::wireSession()
{
    connect(&m_session, &session::MeterSession::displayChanged, this, &FrontPanel::showDisplay);
    connect(&m_session, &session::MeterSession::brightnessReported, this,
            [this](bool on) { showToggleState(SP4, on); });
    connect(&m_session, &session::MeterSession::settingsShown, this, &FrontPanel::showSettings);
    connect(&m_session, &session::MeterSession::menusFollow, this, &FrontPanel::followMenus);
    connect(&m_session, &session::MeterSession::circuitMenuFollows, this,
            [this](int row) { selectQuietly(ListBox_ser_per, row); });
    connect(&m_session, &session::MeterSession::rlcdDecoded, this, [this] {
        showOnlyView(Panel_RLCD);
        offerHold(true);
    });
    connect(&m_session, &session::MeterSession::rdDecoded, this, &FrontPanel::showRd);
    connect(&m_session, &session::MeterSession::uDecoded, this, &FrontPanel::showU);
}

// --- what the display shows ----------------------------------------------------------------

void FrontPanel::showDisplay()
{
    const meter::RlcdDisplay& d = m_session.display();
    L_Prim_RLC->setText(d.primaryLetter);
    L_RLC_avto->setText(d.primaryAutoMark);
    L_SER_PER1->setText(d.primaryCircuitMark);
    L_prim_n->setText(d.primaryValue);
    L_Sec_RLC->setText(d.secondaryLetter);
    L_RQD_avto->setText(d.secondaryAutoMark);
    L_SER_PER->setText(d.secondaryCircuitMark);
    L_sec_n->setText(d.secondaryValue);
    L_Level_RLC->setText(d.level);
    L_freq_RLC->setText(d.frequency);
    L_righ1->setText(d.sideImpedance);
    L_righ2->setText(d.sideDissipation);
    L_righ3->setText(d.sideQuality);
    L_righ4->setText(d.sidePhase);
}

void FrontPanel::showOnlyView(DisplayView* view)
{
    for (DisplayView* v : {Panel_RLCD, Panel_RD, Panel_U})
        v->setVisible(v == view);
}

void FrontPanel::showSettings(const meter::SettingsIndicators& indicators)
{
    showToggleState(SP3, indicators.holdDown);
    showToggleState(SP2, indicators.soundDown);
}

void FrontPanel::showRd(const meter::RdReading& reading)
{
    showOnlyView(Panel_RD);
    offerHold(false);
    RD_Auto->setText(reading.autoRangeMark);
    Joo->setText(reading.currentSubscript);
    J_prim->setText(reading.currentLetter);
    RD_J->setText(reading.currentValue);
    RD_J1->setText(reading.secondCurrent);
    if (reading.testVoltage)
        RD_V->setText(*reading.testVoltage);
    RD_prim_R->setText(reading.quantityLetter);
    RD_Prim->setText(reading.mainReading);
    // Hidden and shown again so that the picture is redrawn even when it is the same.
    Im_Diod->hide();
    Im_Diod->show();
    Im_Diod->setPixmap(ImList1.value(reading.picture));
}

void FrontPanel::showU(const meter::UReading& reading)
{
    showOnlyView(Panel_U);
    offerHold(false);
    U_Prim->setText(reading.mainReading);
    U_vrm->setText(reading.rmsReading);
    U_pp->setText(reading.peakToPeakReading);
}

void FrontPanel::followMenus(const meter::MenuSelection& selection)
{
    selectQuietly(ListBox_freq_RLC, selection.frequencyRow);
    selectQuietly(ListBox_prim_RLC, selection.primaryRow);
    selectQuietly(ListBox_sec_RLC, selection.secondaryRow);
    selectQuietly(ListBox_Level_RLC, selection.levelRow);
    selectQuietly(ListBox_ser_per, selection.circuitRow);
}

void FrontPanel::showVerdict(bool rejected)
{
    Panel_RLCD->setBackground(rejected ? DisplayView::rejectColor() : DisplayView::designedColor());
}

void FrontPanel::setRecordingRuns(bool running)
{
    offerHold(!running);
}

void FrontPanel::offerHold(bool offered)
{
    SP3->setEnabled(offered);
}

void FrontPanel::rewriteFrequencyTail(bool trim, bool insert)
{
    if (trim) {
        for (int i = 0; i < kFrequencyTailTrimmed; ++i)
            delete ListBox_freq_RLC->takeItem(kFrequencyTailStart);
    }
    if (insert)
        ListBox_freq_RLC->insertItem(kFrequencyTailStart, kFrequencyItem75k);
}

// --- parameter menus -----------------------------------------------------------------------

void FrontPanel::openMenu(QWidget* menuPanel, QWidget* list)
{
    list->show();
    menuPanel->show();
    menuPanel->raise();
    m_link.holdFramesWhileChoosing();
}

void FrontPanel::L_freq_RLCClick()
{
    openMenu(P_freq_RLC, ListBox_freq_RLC);
}
void FrontPanel::L_Level_RLCClick()
{
    openMenu(P_level_RLC, ListBox_Level_RLC);
}
void FrontPanel::L_Prim_RLCClick()
{
    openMenu(P_prim_RLC, ListBox_prim_RLC);
}
void FrontPanel::L_Sec_RLCClick()
{
    openMenu(P_sec_RLC, ListBox_sec_RLC);
}
void FrontPanel::L_SER_PERClick()
{
    openMenu(P_ser_per, ListBox_ser_per);
}

// A row that is not in the menu changes nothing and sends nothing, but frames stay held
// while the user goes on choosing.
void FrontPanel::submitChoice(bool chosen)
{
    if (chosen)
        m_session.submit();
    else
        m_link.holdFramesWhileChoosing();
}

void FrontPanel::ListBox_freq_RLCClick(int row)
{
    submitChoice(m_session.chooseFrequency(row));
}
void FrontPanel::ListBox_Level_RLCClick(int row)
{
    submitChoice(m_session.chooseLevel(row));
}
void FrontPanel::ListBox_prim_RLCClick(int row)
{
    submitChoice(m_session.choosePrimary(row));
}
void FrontPanel::ListBox_sec_RLCClick(int row)
{
    submitChoice(m_session.chooseSecondary(row));
}
void FrontPanel::ListBox_ser_perClick(int row)
{
    submitChoice(m_session.chooseCircuit(row));
}

void FrontPanel::closeAllMenus()
{
    for (QWidget* menu : {P_freq_RLC, P_level_RLC, P_prim_RLC, P_sec_RLC, P_ser_per})
        menu->hide();
    for (QWidget* list : std::initializer_list<QWidget*>{ListBox_freq_RLC, ListBox_Level_RLC, ListBox_prim_RLC,
                                                         ListBox_sec_RLC, ListBox_ser_per})
        list->hide();
    m_link.releaseFrames();
}

// Shared by the three views; it closes the menus and detaches itself from the RLCD view
// only, whichever view the pointer entered.
void FrontPanel::Panel_RLCDMouseEnter()
{
    closeAllMenus();
    m_rlcdEnterAttached = false;
}

void FrontPanel::ListBox_freq_RLCMouseEnter()
{
    m_rlcdEnterAttached = true;
}

void FrontPanel::wireMenus()
{
    connect(L_freq_RLC, &HoverLabel::clicked, this, &FrontPanel::L_freq_RLCClick);
    connect(L_Level_RLC, &HoverLabel::clicked, this, &FrontPanel::L_Level_RLCClick);
    connect(L_Prim_RLC, &HoverLabel::clicked, this, &FrontPanel::L_Prim_RLCClick);
    connect(L_RLC_avto, &HoverLabel::clicked, this, &FrontPanel::L_Prim_RLCClick);
    connect(L_Sec_RLC, &HoverLabel::clicked, this, &FrontPanel::L_Sec_RLCClick);
    connect(L_SER_PER, &HoverLabel::clicked, this, &FrontPanel::L_SER_PERClick);
    connect(L_SER_PER1, &HoverLabel::clicked, this, &FrontPanel::L_SER_PERClick);

    const auto onRowClick = [this](MenuList* list, void (FrontPanel::*handler)(int)) {
        connect(list, &QListWidget::clicked, this,
                [this, handler](const QModelIndex& index) { (this->*handler)(index.row()); });
    };
    onRowClick(ListBox_freq_RLC, &FrontPanel::ListBox_freq_RLCClick);
    onRowClick(ListBox_Level_RLC, &FrontPanel::ListBox_Level_RLCClick);
    onRowClick(ListBox_prim_RLC, &FrontPanel::ListBox_prim_RLCClick);
    onRowClick(ListBox_sec_RLC, &FrontPanel::ListBox_sec_RLCClick);
    onRowClick(ListBox_ser_per, &FrontPanel::ListBox_ser_perClick);

    // Leaving any list but the frequency list closes the menus.
    for (MenuList* list : {ListBox_Level_RLC, ListBox_prim_RLC, ListBox_sec_RLC, ListBox_ser_per})
        connect(list, &MenuList::pointerLeft, this, &FrontPanel::closeAllMenus);
    connect(ListBox_freq_RLC, &MenuList::pointerEntered, this, &FrontPanel::ListBox_freq_RLCMouseEnter);

    connect(Panel_RLCD, &DisplayView::pointerEntered, this, [this] {
        if (m_rlcdEnterAttached)
            Panel_RLCDMouseEnter();
    });
    connect(Panel_RD, &DisplayView::pointerEntered, this, &FrontPanel::Panel_RLCDMouseEnter);
    connect(Panel_U, &DisplayView::pointerEntered, this, &FrontPanel::Panel_RLCDMouseEnter);
}

// --- function keys -------------------------------------------------------------------------

void FrontPanel::SP4Click()
{
    m_session.setBrightness(SP4->isChecked());
    m_session.submit();
}

void FrontPanel::SP3Click()
{
    m_session.setHold(SP3->isChecked());
    emit holdToggled(SP3->isChecked());
    m_session.submit();
}

void FrontPanel::SP2Click()
{
    m_session.setSound(SP2->isChecked());
    m_session.submit();
}

void FrontPanel::SBe1Click()
{
    m_session.ResetSettings();
    m_session.submit();
}

void FrontPanel::wireFunctionKeys()
{
    // The toggles react to their state, however the user changed it (designed_controls.h).
    connect(SP4, &QPushButton::toggled, this, &FrontPanel::SP4Click);
    connect(SP3, &QPushButton::toggled, this, &FrontPanel::SP3Click);
    connect(SP2, &QPushButton::toggled, this, &FrontPanel::SP2Click);
    connect(SBe1, &QPushButton::clicked, this, &FrontPanel::SBe1Click);
}

} // namespace panel
