// The window's side of the dongle link: finding the dongle, the AT dialogue, the connect
// button, the automatic connection and the status log.
#include "form1.h"

#include "com_port.h"
#include "display_view.h"
#include "dongle_reply.h"
#include "main_lexicons.h"
#include "port_finder.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {
constexpr qint32 kDongleBaudRate = 57600;
}

bool TForm1::FindDongle()
{
    if (!m_portFinder->isAvailable())
        return false;
    if (!m_portFinder->query())
        return false;
    if (!PortOpened) {
        ComPort->close();
        ComPort->setPortName(m_portFinder->portName());
        ComPort->setBaudRate(kDongleBaudRate);
        ComPort->setHardwareFlowControl();
        ComPort->open();
        P5->setEnabled(true);
        PortOpened = true;
    }
    return true;
}

void TForm1::T3Timer()
{
    if (!FindDongle()) {
        ComPort->close();
        return;
    }
    ComPort->open();
    if (CheckBox_connect_auto->isChecked()) {
        B2->setEnabled(false);
        if (B2->text() == lexicons->Dlang_connect.GetItem(0))
            ComPort->write("AT+CONNL");
    }
}

void TForm1::T2Timer()
{
    if (!CheckBox_connect_auto->isChecked())
        B2->setEnabled(true);
    T2->stop();
}

void TForm1::B2Click()
{
    B2->setEnabled(false);
    Panel_RLCD->setBackground(panel::DisplayView::designedColor());
    if (B2->text() == lexicons->Dlang_connect.GetItem(0)) {
        B2->setText(QStringLiteral(" "));
        if (FindDongle())
            ComPort->write("AT+CONNL");
    } else {
        B2->setText(QStringLiteral(" "));
        ComPort->write("AT");
    }
}

void TForm1::CheckBox_connect_autoClick()
{
    B2->setEnabled(!CheckBox_connect_auto->isChecked());
    storeAutoConnectFlag(CheckBox_connect_auto->isChecked());
}

void TForm1::ComPortAfterOpen()
{
    B2->setEnabled(true);
}

void TForm1::ComPortBeforeClose()
{
    MeterLinked = false;
    PortOpened = false;
    ComPort->write("AT");
    B2->setEnabled(false);
    SP1->setEnabled(false);
    showLinkDown();
}

void TForm1::ComPortRxChar()
{
    if (!ComPort->isOpen())
        return;
    const QByteArray read = ComPort->read(dongle::kMaxReadLength);
    switch (dongle::classifyRead(read)) {
    case dongle::DongleReply::ConnectionStarted:
        MeterLinked = false;
        B2->setEnabled(false);
        SP1->setEnabled(false);
        appendStatus(lexicons->Dlang_connect.GetItem(2));
        break;
    case dongle::DongleReply::ConnectionFailed:
        MeterLinked = false;
        SP1->setEnabled(false);
        startTimerKeepingInterval(T2);
        break;
    case dongle::DongleReply::ConnectionRefused:
        MeterLinked = false;
        SP1->setEnabled(false);
        startTimerKeepingInterval(T2);
        appendStatus(QStringLiteral("NN ") + lexicons->Dlang_connect.GetItem(3));
        break;
    case dongle::DongleReply::LinkUp:
        MeterLinkUp();
        break;
    case dongle::DongleReply::LinkLost:
        MeterLinkDown();
        break;
    case dongle::DongleReply::Ok:
        appendStatus(QString::fromLatin1(read));
        break;
    case dongle::DongleReply::Unrecognised:
        ComPort->purge();
        break;
    case dongle::DongleReply::Frame:
        if (MenuBusy == 1)
            break;
        try {
            DispatchFrame(read);
        } catch (...) {
            // A frame that cannot be decoded is dropped; the next one is handled normally.
        }
        break;
    }
}

void TForm1::ComPortException()
{
    L_righ4->setText(QString());
}

void TForm1::MeterLinkUp()
{
    MeterLinked = true;
    SP1->setEnabled(true);
    startTimerKeepingInterval(T2);
    T3->stop();
    B2->setText(lexicons->Dlang_connect.GetItem(1));
    appendStatus(lexicons->Dlang_connect.GetItem(4));
    SB4->setChecked(false);
    Button_Add->setEnabled(false);
    Button_DEL->setEnabled(false);
}

void TForm1::MeterLinkDown()
{
    MeterLinked = false;
    SB4->setChecked(true);
    SP1->setEnabled(false);
    showLinkDown();
    Button_Add->setEnabled(true);
    Button_DEL->setEnabled(true);
}

// What the window shows once the meter is no longer linked: the button usable again after
// T2, the connect caption, the status line, the dongle watch running, no readings.
void TForm1::showLinkDown()
{
    startTimerKeepingInterval(T2);
    B2->setText(lexicons->Dlang_connect.GetItem(0));
    appendStatus(lexicons->Dlang_connect.GetItem(5));
    startTimerKeepingInterval(T3);
    clearRlcdReadings();
}

void TForm1::clearRlcdReadings()
{
    for (QLabel* label : {L_prim_n, L_sec_n, L_righ1, L_righ2, L_righ3, L_righ4})
        label->setText(QString());
}

void TForm1::appendStatus(const QString& line)
{
    Memo1->appendPlainText(line);
}

void startTimerKeepingInterval(QTimer* timer)
{
    if (!timer->isActive())
        timer->start();
}
