// The front panel's controls as designed: the key row above the display, the three views
// in one place (one visible at a time) and the menus near the fields that open them.
#include "ui/panel/front_panel.h"

#include "ui/localisation/lang_combo.h"
#include "ui/panel/component_pictures.h"
#include "ui/panel/designed_controls.h"
#include "ui/panel/display_view.h"
#include "ui/panel/hover_label.h"
#include "ui/panel/menu_list.h"

#include <QLabel>
#include <QPushButton>

namespace panel {
namespace {

const QRect kDisplayArea(2, 41, 597, 149);

} // namespace

void FrontPanel::buildControls()
{
    setObjectName(QStringLiteral("P5"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    SP4 = toggle(this, "SP4", QStringLiteral("Яркость"), QRect(4, 5, 130, 31));
    SP4->setChecked(true);
    SP3 = toggle(this, "SP3", QStringLiteral("Захват"), QRect(138, 5, 130, 31));
    SP2 = toggle(this, "SP2", QStringLiteral("Звук"), QRect(272, 5, 130, 31));
    SBe1 = button(this, "SBe1", QStringLiteral("По умолчанию"), QRect(406, 5, 150, 31));
    LangCombo1 = named(new localisation::TLangCombo(this), "LangCombo1", QRect(560, 5, 37, 31));

    Panel_RLCD = named(new DisplayView(this), "Panel_RLCD", kDisplayArea);
    Panel_RD = named(new DisplayView(this), "Panel_RD", kDisplayArea);
    Panel_U = named(new DisplayView(this), "Panel_U", kDisplayArea);
    Panel_RD->hide();
    Panel_U->hide();
    buildRlcdView();
    buildRdView();
    buildUView();
    buildMenus();
    for (const QImage& picture : ComponentPictures())
        ImList1 << QPixmap::fromImage(picture);
}

// Primary row, secondary row, level and frequency; side readings at the right.
void FrontPanel::buildRlcdView()
{
    L_Prim_RLC = fieldLabel(Panel_RLCD, "L_Prim_RLC", 60, QRect(6, 2, 44, 66), Qt::AlignCenter);
    L_RLC_avto = fieldLabel(Panel_RLCD, "L_RLC_avto", 19, QRect(52, 4, 20, 22), Qt::AlignCenter);
    L_RLC_avto->setBevelTarget(L_Prim_RLC);
    L_SER_PER1 = fieldLabel(Panel_RLCD, "L_SER_PER1", 19, QRect(52, 42, 20, 22), Qt::AlignCenter);
    L_prim_n = displayLabel(Panel_RLCD, "L_prim_n", 60, QRect(74, 2, 300, 66), Qt::AlignRight | Qt::AlignVCenter);
    L_Sec_RLC = fieldLabel(Panel_RLCD, "L_Sec_RLC", 40, QRect(6, 70, 44, 46), Qt::AlignCenter);
    L_RQD_avto = displayLabel(Panel_RLCD, "L_RQD_avto", 19, QRect(52, 70, 20, 22), Qt::AlignCenter);
    L_SER_PER = fieldLabel(Panel_RLCD, "L_SER_PER", 19, QRect(52, 94, 20, 22), Qt::AlignCenter);
    L_sec_n = displayLabel(Panel_RLCD, "L_sec_n", 40, QRect(74, 70, 300, 46), Qt::AlignRight | Qt::AlignVCenter);
    L_Level_RLC = fieldLabel(Panel_RLCD, "L_Level_RLC", 27, QRect(6, 116, 170, 31), Qt::AlignRight | Qt::AlignVCenter);
    L_freq_RLC = fieldLabel(Panel_RLCD, "L_freq_RLC", 27, QRect(184, 116, 190, 31), Qt::AlignRight | Qt::AlignVCenter);
    L_righ1 = displayLabel(Panel_RLCD, "L_righ1", 27, QRect(384, 4, 208, 34));
    L_righ2 = displayLabel(Panel_RLCD, "L_righ2", 27, QRect(384, 40, 208, 34));
    L_righ3 = displayLabel(Panel_RLCD, "L_righ3", 27, QRect(384, 76, 208, 34));
    L_righ4 = displayLabel(Panel_RLCD, "L_righ4", 27, QRect(384, 112, 208, 34));
}

// Letter and reading, picture, test voltage, currents.
void FrontPanel::buildRdView()
{
    RD_prim_R = fieldLabel(Panel_RD, "RD_prim_R", 60, QRect(6, 2, 44, 66), Qt::AlignCenter);
    RD_prim_R->setClickable(false);
    RD_Auto = displayLabel(Panel_RD, "RD_Auto", 19, QRect(52, 4, 20, 22), Qt::AlignCenter);
    RD_Prim = displayLabel(Panel_RD, "RD_Prim", 60, QRect(74, 2, 410, 66), Qt::AlignRight | Qt::AlignVCenter);
    Im_Diod = named(new QLabel(Panel_RD), "Im_Diod", QRect(510, 8, kComponentPictureWidth, kComponentPictureHeight));
    RD_V = fieldLabel(Panel_RD, "RD_V", 27, QRect(430, 110, 160, 34), Qt::AlignRight | Qt::AlignVCenter);
    RD_V->setClickable(false);
    J_prim = displayLabel(Panel_RD, "J_prim", 40, QRect(6, 72, 24, 46), Qt::AlignCenter);
    Joo = displayLabel(Panel_RD, "Joo", 30, QRect(30, 86, 24, 36), Qt::AlignLeft | Qt::AlignBottom);
    RD_J = displayLabel(Panel_RD, "RD_J", 40, QRect(56, 72, 300, 46));
    RD_J1 = displayLabel(Panel_RD, "RD_J1", 27, QRect(6, 116, 350, 31));
}

// Main voltage, rms and peak-to-peak.
void FrontPanel::buildUView()
{
    U_Prim = displayLabel(Panel_U, "U_Prim", 60, QRect(6, 2, 585, 66), Qt::AlignRight | Qt::AlignVCenter);
    U_vrm = displayLabel(Panel_U, "U_vrm", 40, QRect(6, 72, 585, 36));
    U_pp = displayLabel(Panel_U, "U_pp", 40, QRect(6, 110, 585, 36));
}

// Each menu near the field that opens it.
void FrontPanel::buildMenus()
{
    const MenuPanel frequency = menuPanel(
        this, "P_freq_RLC", "SText_freq_RLC", QStringLiteral(" Частота тестового сигнала"), "ListBox_freq_RLC",
        {QStringLiteral("Автовыбор"), QStringLiteral("100 Гц"), QStringLiteral("120 Гц"), QStringLiteral("1кГц"),
         QStringLiteral("10кГц"), QStringLiteral("100кГц"), QStringLiteral("20кГц"), QStringLiteral("30кГц"),
         QStringLiteral("40кГц"), QStringLiteral("50кГц"), QStringLiteral("60кГц"), QStringLiteral("70кГц"),
         QStringLiteral("80кГц"), QStringLiteral("90кГц"), QStringLiteral("150кГц")},
        QRect(379, 41, 220, 150));
    const MenuPanel level = menuPanel(this, "P_level_RLC", "SText_level_RLC",
                                      QStringLiteral(" Уровень тестового сигнала"), "ListBox_Level_RLC",
                                      {QStringLiteral("Автовыбор"), QStringLiteral(" 1.0Вскз"),
                                       QStringLiteral(" 0.5Вскз"), QStringLiteral(" 0.1Вскз")},
                                      QRect(40, 60, 230, 110));
    const MenuPanel primary =
        menuPanel(this, "P_prim_RLC", "SText_prim_RLC", QStringLiteral(" Основной параметр"), "ListBox_prim_RLC",
                  {QStringLiteral("Автовыбор"), QStringLiteral("R сопротивление"), QStringLiteral("C емкость"),
                   QStringLiteral("L индуктивность"), QStringLiteral("Z импеданс")},
                  QRect(60, 43, 210, 130));
    const MenuPanel secondary =
        menuPanel(this, "P_sec_RLC", "SText_sec_RLC", QStringLiteral("Дополнительный параметр"), "ListBox_sec_RLC",
                  {QStringLiteral("Автовыбор"), QStringLiteral("R сопротивление"), QStringLiteral("Q добротность"),
                   QStringLiteral("D тангенс угла потерь")},
                  QRect(60, 80, 240, 110));
    const MenuPanel circuit = menuPanel(
        this, "P_ser_per", "SText_ser_per", QStringLiteral("Схема замещения"), "ListBox_ser_per",
        {QStringLiteral("Автовыбор"), QStringLiteral("p-параллельная"), QStringLiteral("s- последовательная")},
        QRect(84, 60, 220, 92));
    P_freq_RLC = frequency.panel;
    ListBox_freq_RLC = frequency.list;
    P_level_RLC = level.panel;
    ListBox_Level_RLC = level.list;
    P_prim_RLC = primary.panel;
    ListBox_prim_RLC = primary.list;
    P_sec_RLC = secondary.panel;
    ListBox_sec_RLC = secondary.list;
    P_ser_per = circuit.panel;
    ListBox_ser_per = circuit.list;
}

} // namespace panel
