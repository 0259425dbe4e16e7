// The window's side of the commands to the meter: the settings record, the mode buttons,
// the interval box and the command timer that lets frames through again.
#include "form1.h"

#include "com_port.h"
#include "drop_down_combo.h"
#include "meter_command.h"
#include "port_finder.h"

#include <QPushButton>
#include <QTimer>

void TForm1::SendSettings()
{
    if (!MeterLinked)
        return;
    m_command = dongle::EncodeSettingsCommand(Settings, SP4->isChecked());
    TransmitCommand();
}

void TForm1::SendModeCommand(quint8 code)
{
    m_command = dongle::EncodeModeCommand(code, SP4->isChecked());
    TransmitCommand();
}

void TForm1::TransmitCommand()
{
    m_command.bytes[4] = 0x0A;
    startTimerKeepingInterval(Timer_TX);
    if (m_portFinder->status() == 1)
        ComPort->write(m_command.toByteArray());
}

void TForm1::Timer_TXTimer()
{
    Timer_TX->stop();
    MenuBusy = 0;
}

void TForm1::CB1DropDown()
{
    MenuBusy = 1;
}

void TForm1::CB1Click(int item)
{
    MenuBusy = 1;
    if (const auto code = dongle::IntervalCodeForItem(item))
        Settings.IntervalCode = *code;
    submitSettings();
}

// A list closed without a choice sends nothing, so no transmission would ever let the
// frames through again: the command timer does it as after a transmission. (After a
// choice the transmission has started the timer already, which keeps its interval.)
void TForm1::CB1CloseUp()
{
    releaseFramesLater();
}

void TForm1::submitSettings()
{
    SendSettings();
    releaseFramesLater();
}

void TForm1::releaseFramesLater()
{
    startTimerKeepingInterval(Timer_TX);
}

void TForm1::Button2Click() { SendModeCommand(dongle::kModeRlcd); }
void TForm1::Button1Click() { SendModeCommand(dongle::kModeRd); }
void TForm1::Button3Click() { SendModeCommand(dongle::kModeU); }
