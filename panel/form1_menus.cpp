// The five parameter menus over the RLCD view: opening by a click on a field, choosing an
// item, and the pointer rules that close them.
#include "form1.h"

#include "display_view.h"
#include "hover_label.h"
#include "main_lexicons.h"
#include "menu_list.h"
#include "parameter_menus.h"

#include <QLabel>

void TForm1::openMenu(QWidget* menuPanel, QWidget* list)
{
    list->show();
    menuPanel->show();
    menuPanel->raise();
    MenuBusy = 1;
}

void TForm1::L_freq_RLCClick() { openMenu(P_freq_RLC, ListBox_freq_RLC); }
void TForm1::L_Level_RLCClick() { openMenu(P_level_RLC, ListBox_Level_RLC); }
void TForm1::L_Prim_RLCClick() { openMenu(P_prim_RLC, ListBox_prim_RLC); }
void TForm1::L_Sec_RLCClick() { openMenu(P_sec_RLC, ListBox_sec_RLC); }
void TForm1::L_SER_PERClick() { openMenu(P_ser_per, ListBox_ser_per); }

// A row that is not in the menu changes nothing and sends nothing.
void TForm1::ListBox_freq_RLCClick(int row)
{
    MenuBusy = 1;
    if (const auto choice = meter::ChooseFrequency(Settings, row, meter::UnitTexts::From(*lexicons))) {
        L_freq_RLC->setText(choice->L_freq_RLC);
        submitSettings();
    }
}

void TForm1::ListBox_Level_RLCClick(int row)
{
    MenuBusy = 1;
    if (const auto choice = meter::ChooseLevel(Settings, row, meter::UnitTexts::From(*lexicons))) {
        L_Level_RLC->setText(choice->L_Level_RLC);
        submitSettings();
    }
}

void TForm1::ListBox_prim_RLCClick(int row)
{
    MenuBusy = 1;
    if (const auto choice = meter::ChoosePrimary(Settings, row)) {
        L_Prim_RLC->setText(choice->L_Prim_RLC);
        L_RLC_avto->setText(choice->L_RLC_avto);
        submitSettings();
    }
}

void TForm1::ListBox_sec_RLCClick(int row)
{
    MenuBusy = 1;
    if (const auto choice = meter::ChooseSecondary(Settings, row)) {
        if (choice->L_Sec_RLC)
            L_Sec_RLC->setText(*choice->L_Sec_RLC);
        L_RQD_avto->setText(choice->L_RQD_avto);
        if (choice->L_SER_PER)
            L_SER_PER->setText(*choice->L_SER_PER);
        submitSettings();
    }
}

void TForm1::ListBox_ser_perClick(int row)
{
    MenuBusy = 1;
    if (const auto choice = meter::ChooseCircuit(Settings, row)) {
        L_SER_PER->setText(choice->letter);
        L_SER_PER1->setText(choice->letter);
        submitSettings();
    }
}

void TForm1::closeAllMenus()
{
    for (QWidget* w : {static_cast<QWidget*>(P_freq_RLC), static_cast<QWidget*>(ListBox_freq_RLC),
                       static_cast<QWidget*>(P_level_RLC), static_cast<QWidget*>(ListBox_Level_RLC),
                       static_cast<QWidget*>(P_prim_RLC), static_cast<QWidget*>(ListBox_prim_RLC),
                       static_cast<QWidget*>(P_sec_RLC), static_cast<QWidget*>(ListBox_sec_RLC),
                       static_cast<QWidget*>(P_ser_per), static_cast<QWidget*>(ListBox_ser_per)})
        w->hide();
    MenuBusy = 0;
}

void TForm1::ListBox_Level_RLCMouseLeave() { closeAllMenus(); }
void TForm1::ListBox_prim_RLCMouseLeave() { closeAllMenus(); }
void TForm1::ListBox_sec_RLCMouseLeave() { closeAllMenus(); }
void TForm1::ListBox_ser_perMouseLeave() { closeAllMenus(); }

// Shared by the three views; it closes the menus and detaches itself from the RLCD view
// only, whichever view the pointer entered.
void TForm1::Panel_RLCDMouseEnter()
{
    closeAllMenus();
    m_rlcdEnterAttached = false;
}

void TForm1::ListBox_freq_RLCMouseEnter()
{
    m_rlcdEnterAttached = true;
}

void TForm1::wireMenus()
{
    connect(L_freq_RLC, &panel::HoverLabel::clicked, this, &TForm1::L_freq_RLCClick);
    connect(L_Level_RLC, &panel::HoverLabel::clicked, this, &TForm1::L_Level_RLCClick);
    connect(L_Prim_RLC, &panel::HoverLabel::clicked, this, &TForm1::L_Prim_RLCClick);
    connect(L_RLC_avto, &panel::HoverLabel::clicked, this, &TForm1::L_Prim_RLCClick);
    connect(L_Sec_RLC, &panel::HoverLabel::clicked, this, &TForm1::L_Sec_RLCClick);
    connect(L_SER_PER, &panel::HoverLabel::clicked, this, &TForm1::L_SER_PERClick);
    connect(L_SER_PER1, &panel::HoverLabel::clicked, this, &TForm1::L_SER_PERClick);

    const auto onRowClick = [this](panel::MenuList* list, void (TForm1::*handler)(int)) {
        connect(list, &QListWidget::clicked, this, [this, handler](const QModelIndex& index) {
            (this->*handler)(index.row());
        });
    };
    onRowClick(ListBox_freq_RLC, &TForm1::ListBox_freq_RLCClick);
    onRowClick(ListBox_Level_RLC, &TForm1::ListBox_Level_RLCClick);
    onRowClick(ListBox_prim_RLC, &TForm1::ListBox_prim_RLCClick);
    onRowClick(ListBox_sec_RLC, &TForm1::ListBox_sec_RLCClick);
    onRowClick(ListBox_ser_per, &TForm1::ListBox_ser_perClick);

    connect(ListBox_Level_RLC, &panel::MenuList::pointerLeft, this, &TForm1::ListBox_Level_RLCMouseLeave);
    connect(ListBox_prim_RLC, &panel::MenuList::pointerLeft, this, &TForm1::ListBox_prim_RLCMouseLeave);
    connect(ListBox_sec_RLC, &panel::MenuList::pointerLeft, this, &TForm1::ListBox_sec_RLCMouseLeave);
    connect(ListBox_ser_per, &panel::MenuList::pointerLeft, this, &TForm1::ListBox_ser_perMouseLeave);
    connect(ListBox_freq_RLC, &panel::MenuList::pointerEntered, this, &TForm1::ListBox_freq_RLCMouseEnter);

    connect(Panel_RLCD, &panel::DisplayView::pointerEntered, this, [this] {
        if (m_rlcdEnterAttached)
            Panel_RLCDMouseEnter();
    });
    connect(Panel_RD, &panel::DisplayView::pointerEntered, this, &TForm1::Panel_RLCDMouseEnter);
    connect(Panel_U, &panel::DisplayView::pointerEntered, this, &TForm1::Panel_RLCDMouseEnter);
}
