#pragma once
#include "meter/parameter_menus.h"
#include "meter/rd_decoder.h"
#include "meter/settings_indicators.h"
#include "meter/u_decoder.h"

#include <QFrame>
#include <QPixmap>

class QLabel;
class QPushButton;

namespace dongle {
class DongleLink;
}
namespace localisation {
class TLangCombo;
}
namespace session {
class MeterSession;
}

namespace panel {

class DisplayView;
class HoverLabel;
class MenuList;

// The meter's front panel "P5": the function keys (brightness, hold, sound, defaults), the
// three views of the display (RLCD, RD, U) and the five parameter menus over the RLCD
// view. It shows what the meter session knows, and turns clicks into choices for it.
// While a menu is open frames are held off at the link; the pointer leaving a menu list or
// entering a view closes the menus and lets frames through again.
class FrontPanel : public QFrame {
    Q_OBJECT
public:
    FrontPanel(session::MeterSession& session, dongle::DongleLink& link, QWidget* parent);

    // The hidden language selector sits in the button row.
    localisation::TLangCombo* languageSelector() const { return LangCombo1; }

    // The RLCD view turns red on a rejected reading and back to its colour otherwise.
    void showVerdict(bool rejected);
    // Recording started or stopped by its button: hold is not offered while it runs (until
    // the next RLCD report offers it again).
    void setRecordingRuns(bool running);
    // The frequency menu's tail after the state file was read: its last four rows go (when
    // it was read) and "75kHz" is put back as row 11 (whenever it existed), so the list
    // always ends in that row.
    void rewriteFrequencyTail(bool trim, bool insert);

    // A click on the level field; the menu opens even while its field is hidden.
    void L_Level_RLCClick();

signals:
    // The hold key went down or up.
    void holdToggled(bool down);

private:
    void buildControls();
    void buildRlcdView();
    void buildRdView();
    void buildUView();
    void buildMenus();
    void wireMenus();
    void wireFunctionKeys();
    void wireSession();

    void showDisplay();
    void showOnlyView(DisplayView* view);
    void showSettings(const meter::SettingsIndicators& indicators);
    void showRd(const meter::RdReading& reading);
    void showU(const meter::UReading& reading);
    void followMenus(const meter::MenuSelection& selection);
    // Hold is offered by each RLCD report and by the end of a recording, and withdrawn by
    // RD and U reports and by the start of one.
    void offerHold(bool offered);

    void openMenu(QWidget* menuPanel, QWidget* list);
    void closeAllMenus();
    void L_freq_RLCClick();
    void L_Prim_RLCClick();
    void L_Sec_RLCClick();
    void L_SER_PERClick();
    void ListBox_freq_RLCClick(int row);
    void ListBox_Level_RLCClick(int row);
    void ListBox_prim_RLCClick(int row);
    void ListBox_sec_RLCClick(int row);
    void ListBox_ser_perClick(int row);
    void Panel_RLCDMouseEnter();
    void ListBox_freq_RLCMouseEnter();
    // After a choice in a menu: shown at once, sent, frames held off meanwhile.
    void submitChoice(bool chosen);

    void SP4Click();
    void SP3Click();
    void SP2Click();
    void SBe1Click();

    session::MeterSession& m_session;
    dongle::DongleLink& m_link;

    // Function keys and the language selector.
    QPushButton* SP4 = nullptr;
    QPushButton* SP3 = nullptr;
    QPushButton* SP2 = nullptr;
    QPushButton* SBe1 = nullptr;
    localisation::TLangCombo* LangCombo1 = nullptr;
    // Views.
    DisplayView* Panel_RLCD = nullptr;
    DisplayView* Panel_RD = nullptr;
    DisplayView* Panel_U = nullptr;
    // RLCD view.
    HoverLabel* L_Prim_RLC = nullptr;
    HoverLabel* L_RLC_avto = nullptr;
    HoverLabel* L_SER_PER1 = nullptr;
    QLabel* L_prim_n = nullptr;
    HoverLabel* L_Sec_RLC = nullptr;
    QLabel* L_RQD_avto = nullptr;
    HoverLabel* L_SER_PER = nullptr;
    QLabel* L_sec_n = nullptr;
    HoverLabel* L_Level_RLC = nullptr;
    HoverLabel* L_freq_RLC = nullptr;
    QLabel* L_righ1 = nullptr;
    QLabel* L_righ2 = nullptr;
    QLabel* L_righ3 = nullptr;
    QLabel* L_righ4 = nullptr;
    // RD view.
    HoverLabel* RD_prim_R = nullptr;
    QLabel* RD_Auto = nullptr;
    QLabel* RD_Prim = nullptr;
    QLabel* Im_Diod = nullptr;
    HoverLabel* RD_V = nullptr;
    QLabel* J_prim = nullptr;
    QLabel* Joo = nullptr;
    QLabel* RD_J = nullptr;
    QLabel* RD_J1 = nullptr;
    // U view.
    QLabel* U_Prim = nullptr;
    QLabel* U_vrm = nullptr;
    QLabel* U_pp = nullptr;
    // Menus.
    QWidget* P_freq_RLC = nullptr;
    MenuList* ListBox_freq_RLC = nullptr;
    QWidget* P_level_RLC = nullptr;
    MenuList* ListBox_Level_RLC = nullptr;
    QWidget* P_prim_RLC = nullptr;
    MenuList* ListBox_prim_RLC = nullptr;
    QWidget* P_sec_RLC = nullptr;
    MenuList* ListBox_sec_RLC = nullptr;
    QWidget* P_ser_per = nullptr;
    MenuList* ListBox_ser_per = nullptr;

    QList<QPixmap> ImList1; // the component pictures of the RD view
    // Entering the RLCD view closes the menus until the pointer has been in the frequency
    // list; the other views always do.
    bool m_rlcdEnterAttached = true;
};

} // namespace panel
