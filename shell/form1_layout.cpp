// Builds the controls of the main window as designed: names, design texts, sizes and places.
#include "form1.h"

#include "display_view.h"
#include "drop_down_combo.h"
#include "heading_panel.h"
#include "hover_label.h"
#include "lang_combo.h"
#include "menu_list.h"
#include "part_spin_edit.h"
#include "rlc_version.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

namespace {

QFont boldCalibri(int pixelHeight)
{
    QFont font(QStringLiteral("Calibri"));
    font.setBold(true);
    font.setPixelSize(pixelHeight);
    return font;
}

template <typename W>
W* named(W* widget, const char* name, QRect geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QWidget* box(QWidget* parent, const char* name, QRect geometry)
{
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return named<QWidget>(frame, name, geometry);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    return named(new QPushButton(caption, parent), name, geometry);
}

QPushButton* toggle(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    QPushButton* b = button(parent, name, caption, geometry);
    b->setCheckable(true);
    return b;
}

template <typename Combo = QComboBox>
Combo* combo(QWidget* parent, const char* name, const QStringList& items, QRect geometry, bool editable = false)
{
    auto* c = named(new Combo(parent), name, geometry);
    c->setEditable(editable);
    c->addItems(items);
    return c;
}

QLabel* displayLabel(QWidget* parent, const char* name, int pixelHeight, QRect geometry,
                     Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* l = named(new QLabel(parent), name, geometry);
    l->setFont(boldCalibri(pixelHeight));
    l->setAlignment(align);
    return l;
}

panel::HoverLabel* fieldLabel(QWidget* parent, const char* name, int pixelHeight, QRect geometry,
                              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* l = named(new panel::HoverLabel(parent), name, geometry);
    l->setFont(boldCalibri(pixelHeight));
    l->setAlignment(align);
    return l;
}

panel::HeadingPanel* heading(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* h = named(new panel::HeadingPanel(parent), name, geometry);
    h->setCaption(caption);
    return h;
}

// A parameter menu: a captioned list over the display, hidden until its field is clicked.
QWidget* menuPanel(QWidget* parent, const char* panelName, const char* captionName, const QString& caption,
                   const char* listName, const QStringList& items, QRect geometry, QLabel*& captionOut,
                   panel::MenuList*& listOut)
{
    auto* p = named(new QFrame(parent), panelName, geometry);
    p->setFrameStyle(QFrame::Box | QFrame::Plain);
    p->setAutoFillBackground(true);
    captionOut = named(new QLabel(caption, p), captionName, QRect(2, 2, geometry.width() - 4, 20));
    listOut = named(new panel::MenuList(p), listName, QRect(2, 24, geometry.width() - 4, geometry.height() - 26));
    listOut->addItems(items);
    listOut->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    p->hide();
    listOut->hide();
    return p;
}

} // namespace

void TForm1::buildControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Регистратор данных для RLC метра ZR48 версия " RLC_VERSION));
    setFont(boldCalibri(15));
    resize(1014, 636);

    // Profile box at the top left, view buttons in a strip at its top.
    Panel3 = box(this, "Panel3", QRect(0, 0, 209, 192));
    Button2 = button(Panel3, "Button2", QStringLiteral("RLCD"), QRect(4, 4, 64, 27));
    Button1 = button(Panel3, "Button1", QStringLiteral("RD"), QRect(72, 4, 64, 27));
    Button3 = button(Panel3, "Button3", QStringLiteral("U"), QRect(140, 4, 64, 27));
    JvP8 = heading(Panel3, "JvP8", QStringLiteral("Профиль"), QRect(4, 37, 201, 22));
    Panel5 = box(Panel3, "Panel5", QRect(4, 62, 201, 126));
    SB1 = button(Panel5, "SB1", QStringLiteral("Создать"), QRect(4, 4, 94, 26));
    SB2 = button(Panel5, "SB2", QStringLiteral("Открыть"), QRect(102, 4, 94, 26));
    SB3 = button(Panel5, "SB3", QStringLiteral("Сохранить как"), QRect(4, 31, 192, 26));
    SB3->setEnabled(false);
    SB4 = toggle(Panel5, "SB4", QStringLiteral("Изменение профиля"), QRect(4, 58, 192, 24));
    SB4->setChecked(true);
    CBox10 = combo(Panel5, "CBox10", {QStringLiteral("Измерение 1 детали"), QStringLiteral("Мульти")},
                   QRect(4, 58, 192, 24));

    // Front panel: the function buttons above the display.
    P5 = box(this, "P5", QRect(209, 0, 601, 192));
    SP4 = toggle(P5, "SP4", QStringLiteral("Яркость"), QRect(4, 5, 130, 31));
    SP4->setChecked(true);
    SP3 = toggle(P5, "SP3", QStringLiteral("Захват"), QRect(138, 5, 130, 31));
    SP2 = toggle(P5, "SP2", QStringLiteral("Звук"), QRect(272, 5, 130, 31));
    SBe1 = button(P5, "SBe1", QStringLiteral("По умолчанию"), QRect(406, 5, 150, 31));
    LangCombo1 = named(new localisation::TLangCombo(P5), "LangCombo1", QRect(560, 5, 37, 31));

    const QRect display(2, 41, 597, 149);
    Panel_RLCD = named(new panel::DisplayView(P5), "Panel_RLCD", display);
    Panel_RD = named(new panel::DisplayView(P5), "Panel_RD", display);
    Panel_U = named(new panel::DisplayView(P5), "Panel_U", display);
    Panel_RD->hide();
    Panel_U->hide();

    // RLCD view: primary row, secondary row, level and frequency; side readings at the right.
    L_Prim_RLC = fieldLabel(Panel_RLCD, "L_Prim_RLC", 60, QRect(6, 2, 44, 66), Qt::AlignCenter);
    L_RLC_avto = fieldLabel(Panel_RLCD, "L_RLC_avto", 19, QRect(52, 4, 20, 22), Qt::AlignCenter);
    L_RLC_avto->setBevelTarget(L_Prim_RLC);
    L_SER_PER1 = fieldLabel(Panel_RLCD, "L_SER_PER1", 19, QRect(52, 42, 20, 22), Qt::AlignCenter);
    L_prim_n = displayLabel(Panel_RLCD, "L_prim_n", 60, QRect(74, 2, 300, 66), Qt::AlignRight | Qt::AlignVCenter);
    L_Sec_RLC = fieldLabel(Panel_RLCD, "L_Sec_RLC", 40, QRect(6, 70, 44, 46), Qt::AlignCenter);
    L_RQD_avto = displayLabel(Panel_RLCD, "L_RQD_avto", 19, QRect(52, 70, 20, 22), Qt::AlignCenter);
    L_RQD_avto->setText(QStringLiteral("A"));
    L_SER_PER = fieldLabel(Panel_RLCD, "L_SER_PER", 19, QRect(52, 94, 20, 22), Qt::AlignCenter);
    L_sec_n = displayLabel(Panel_RLCD, "L_sec_n", 40, QRect(74, 70, 300, 46), Qt::AlignRight | Qt::AlignVCenter);
    L_Level_RLC = fieldLabel(Panel_RLCD, "L_Level_RLC", 27, QRect(6, 116, 170, 31), Qt::AlignRight | Qt::AlignVCenter);
    L_freq_RLC = fieldLabel(Panel_RLCD, "L_freq_RLC", 27, QRect(184, 116, 190, 31), Qt::AlignRight | Qt::AlignVCenter);
    L_righ1 = displayLabel(Panel_RLCD, "L_righ1", 27, QRect(384, 4, 208, 34));
    L_righ2 = displayLabel(Panel_RLCD, "L_righ2", 27, QRect(384, 40, 208, 34));
    L_righ3 = displayLabel(Panel_RLCD, "L_righ3", 27, QRect(384, 76, 208, 34));
    L_righ4 = displayLabel(Panel_RLCD, "L_righ4", 27, QRect(384, 112, 208, 34));

    // RD view: letter and reading, picture, test voltage, currents.
    RD_prim_R = fieldLabel(Panel_RD, "RD_prim_R", 60, QRect(6, 2, 44, 66), Qt::AlignCenter);
    RD_prim_R->setClickable(false);
    RD_Auto = displayLabel(Panel_RD, "RD_Auto", 19, QRect(52, 4, 20, 22), Qt::AlignCenter);
    RD_Prim = displayLabel(Panel_RD, "RD_Prim", 60, QRect(74, 2, 410, 66), Qt::AlignRight | Qt::AlignVCenter);
    Im_Diod = named(new QLabel(Panel_RD), "Im_Diod", QRect(510, 8, 60, 80));
    RD_V = fieldLabel(Panel_RD, "RD_V", 27, QRect(430, 110, 160, 34), Qt::AlignRight | Qt::AlignVCenter);
    RD_V->setClickable(false);
    J_prim = displayLabel(Panel_RD, "J_prim", 40, QRect(6, 72, 24, 46), Qt::AlignCenter);
    Joo = displayLabel(Panel_RD, "Joo", 30, QRect(30, 86, 24, 36), Qt::AlignLeft | Qt::AlignBottom);
    RD_J = displayLabel(Panel_RD, "RD_J", 40, QRect(56, 72, 300, 46));
    RD_J1 = displayLabel(Panel_RD, "RD_J1", 27, QRect(6, 116, 350, 31));

    // U view: main voltage, rms and peak-to-peak.
    U_Prim = displayLabel(Panel_U, "U_Prim", 60, QRect(6, 2, 585, 66), Qt::AlignRight | Qt::AlignVCenter);
    U_vrm = displayLabel(Panel_U, "U_vrm", 40, QRect(6, 72, 585, 36));
    U_pp = displayLabel(Panel_U, "U_pp", 40, QRect(6, 110, 585, 36));

    // Parameter menus, each near the field that opens it.
    P_freq_RLC = menuPanel(P5, "P_freq_RLC", "SText_freq_RLC", QStringLiteral(" Частота тестового сигнала"),
                           "ListBox_freq_RLC",
                           {QStringLiteral("Автовыбор"), QStringLiteral("100 Гц"), QStringLiteral("120 Гц"),
                            QStringLiteral("1кГц"), QStringLiteral("10кГц"), QStringLiteral("100кГц"),
                            QStringLiteral("20кГц"), QStringLiteral("30кГц"), QStringLiteral("40кГц"),
                            QStringLiteral("50кГц"), QStringLiteral("60кГц"), QStringLiteral("70кГц"),
                            QStringLiteral("80кГц"), QStringLiteral("90кГц"), QStringLiteral("150кГц")},
                           QRect(379, 41, 220, 150), SText_freq_RLC, ListBox_freq_RLC);
    P_level_RLC = menuPanel(P5, "P_level_RLC", "SText_level_RLC", QStringLiteral(" Уровень тестового сигнала"),
                            "ListBox_Level_RLC",
                            {QStringLiteral("Автовыбор"), QStringLiteral(" 1.0Вскз"), QStringLiteral(" 0.5Вскз"),
                             QStringLiteral(" 0.1Вскз")},
                            QRect(40, 60, 230, 110), SText_level_RLC, ListBox_Level_RLC);
    P_prim_RLC = menuPanel(P5, "P_prim_RLC", "SText_prim_RLC", QStringLiteral(" Основной параметр"),
                           "ListBox_prim_RLC",
                           {QStringLiteral("Автовыбор"), QStringLiteral("R сопротивление"), QStringLiteral("C емкость"),
                            QStringLiteral("L индуктивность"), QStringLiteral("Z импеданс")},
                           QRect(60, 43, 210, 130), SText_prim_RLC, ListBox_prim_RLC);
    P_sec_RLC = menuPanel(P5, "P_sec_RLC", "SText_sec_RLC", QStringLiteral("Дополнительный параметр"),
                          "ListBox_sec_RLC",
                          {QStringLiteral("Автовыбор"), QStringLiteral("R сопротивление"),
                           QStringLiteral("Q добротность"), QStringLiteral("D тангенс угла потерь")},
                          QRect(60, 80, 240, 110), SText_sec_RLC, ListBox_sec_RLC);
    P_ser_per = menuPanel(P5, "P_ser_per", "SText_ser_per", QStringLiteral("Схема замещения"), "ListBox_ser_per",
                          {QStringLiteral("Автовыбор"), QStringLiteral("p-параллельная"),
                           QStringLiteral("s- последовательная")},
                          QRect(84, 60, 220, 92), SText_ser_per, ListBox_ser_per);

    // Connection box and status log at the top right.
    P_connect = box(this, "P_connect", QRect(812, 0, 161, 35));
    B2 = button(P_connect, "B2", QStringLiteral("Подключить"), QRect(3, 3, 100, 29));
    CheckBox_connect_auto = named(new QCheckBox(QStringLiteral("Авто"), P_connect), "CheckBox_connect_auto",
                                  QRect(106, 3, 53, 29));
    Memo1 = named(new QPlainTextEdit(this), "Memo1", QRect(812, 42, 211, 140));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setPlainText(QStringLiteral("Memo1"));

    // Reference box below the band at the left.
    Panel7 = box(this, "Panel7", QRect(0, 192, 458, 88));
    JvP1 = heading(Panel7, "JvP1", QStringLiteral("Данные эталона"), QRect(3, 3, 452, 20));
    CBox6 = combo<panel::DropDownCombo>(Panel7, "CBox6", {QStringLiteral("R1")}, QRect(4, 26, 118, 27), true);
    CBox6->lineEdit()->setMaxLength(18);
    CBox6->setInsertPolicy(QComboBox::NoInsert);
    CBox6->setMaxVisibleItems(20);
    SE2 = named(new panel::PartSpinEdit(Panel7), "SE2", QRect(126, 26, 52, 27));
    SE2->setRange(1, 2);
    SE2->setValue(1);
    BB1 = button(Panel7, "BB1", QStringLiteral("Запись"), QRect(182, 26, 86, 27));
    Button_Add = button(Panel7, "Button_Add", QStringLiteral("Добавить"), QRect(272, 26, 92, 27));
    Button_DEL = button(Panel7, "Button_DEL", QStringLiteral("Удалить"), QRect(368, 26, 86, 27));
    const QStringList tolerances{QStringLiteral("выкл."), QStringLiteral("0,2%"), QStringLiteral("0,3%"),
                                 QStringLiteral("0,5%"), QStringLiteral("1%"),   QStringLiteral("2%"),
                                 QStringLiteral("3%"),   QStringLiteral("5%"),   QStringLiteral("10%"),
                                 QStringLiteral("20%"),  QStringLiteral(">"),    QStringLiteral("<")};
    CBox2 = combo(Panel7, "CBox2", {QStringLiteral("R"), QStringLiteral("L"), QStringLiteral("C")}, QRect(4, 57, 40, 27));
    E2 = named(new QLineEdit(QStringLiteral("10000"), Panel7), "E2", QRect(46, 57, 56, 27));
    E2->setMaxLength(7);
    CBox1 = combo(Panel7, "CBox1", {QStringLiteral("Ом"), QStringLiteral("кОм"), QStringLiteral("МОм")},
                  QRect(104, 57, 58, 27));
    CBox3 = combo(Panel7, "CBox3", {QStringLiteral("мкГн"), QStringLiteral("мГн"), QStringLiteral("Гн")},
                  QRect(104, 57, 58, 27));
    CBox4 = combo(Panel7, "CBox4", {QStringLiteral("рФ"), QStringLiteral("нФ"), QStringLiteral("мкФ")},
                  QRect(104, 57, 58, 27));
    CBox3->hide();
    CBox4->hide();
    CBox5 = combo(Panel7, "CBox5", tolerances, QRect(164, 57, 62, 27), true);
    CBox5->setMaxVisibleItems(16);
    CBox5->setInsertPolicy(QComboBox::NoInsert);
    CBox11 = combo(Panel7, "CBox11", {QStringLiteral("R"), QStringLiteral("Q"), QStringLiteral("D")},
                   QRect(232, 57, 40, 27));
    E11 = named(new QLineEdit(QStringLiteral("10000"), Panel7), "E11", QRect(274, 57, 56, 27));
    E11->setMaxLength(7);
    CBox31 = combo(Panel7, "CBox31", {QStringLiteral("Ом"), QStringLiteral("кОм"), QStringLiteral("МОм")},
                   QRect(332, 57, 58, 27));
    CBox51 = combo(Panel7, "CBox51", tolerances, QRect(392, 57, 62, 27), true);
    CBox51->setMaxVisibleItems(16);
    CBox51->setInsertPolicy(QComboBox::NoInsert);

    // Recording box beside it.
    Panel13 = box(this, "Panel13", QRect(458, 192, 556, 88));
    JvP11 = heading(Panel13, "JvP11", QStringLiteral("Запись данных"), QRect(3, 3, 550, 20));
    SE1 = named(new QSpinBox(Panel13), "SE1", QRect(4, 30, 90, 30));
    SE1->setRange(1, 100000);
    SE1->setValue(1);
    CB1 = combo<panel::DropDownCombo>(Panel13, "CB1", {QStringLiteral("0.5с"), QStringLiteral("1с"), QStringLiteral("2с")},
                QRect(98, 30, 70, 30));
    CB1->setCurrentIndex(1);
    SP1 = toggle(Panel13, "SP1", QStringLiteral("Пуск"), QRect(172, 28, 100, 34));
    SP1->setEnabled(false);
    B5 = button(Panel13, "B5", QStringLiteral("Очистка"), QRect(276, 28, 100, 34));
    Button4 = button(Panel13, "Button4", QStringLiteral("В файл EXCEL"), QRect(380, 28, 130, 34));
    // Additions to the designed box, on a row of their own below it.
    Button_Trend = button(Panel13, "Button_Trend", QStringLiteral("Тренд"), QRect(276, 63, 100, 23));
    Button_CSV = button(Panel13, "Button_CSV", QStringLiteral("В файл CSV"), QRect(380, 63, 130, 23));

    // The table fills the rest of the window.
    SG = named(new QTableView(this), "SG", QRect(0, 280, 1014, 356));
    SG->setFont(boldCalibri(16));
    SG->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SG->verticalHeader()->hide();

    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    SaveDialog1 = new QFileDialog(this);
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    for (QFileDialog* dialog : {OpenDialog1, SaveDialog1}) {
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setNameFilter(QStringLiteral("(*.hex1)"));
    }
    OpenDialog1->setWindowTitle(QStringLiteral("Открыть профиль"));
    SaveDialog1->setWindowTitle(QStringLiteral("Сохранить профиль"));
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setFileMode(QFileDialog::AnyFile);
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
}
