// Builds the controls of the main window as designed: names, design texts, sizes and places.
#include "form1.h"

#include "drop_down_combo.h"
#include "link/ui/connection_box.h"
#include "panel/front_panel.h"
#include "heading_panel.h"
#include "panel/designed_controls.h"
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

using namespace panel;

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

    // Front panel in the middle of the top band, connection box and status log at its right.
    m_frontPanel = new panel::FrontPanel(*m_session, *m_link, this);
    m_frontPanel->setGeometry(209, 0, 601, 192);
    m_connectionBox = new dongle::ConnectionBox(*m_link, *lexicons, this);

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
