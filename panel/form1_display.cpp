// The window's side of the display: frames to the views.
#include "form1.h"

#include <QPushButton>

void TForm1::DispatchFrame(const QByteArray& frame)
{
    if (quint8(frame[16]) != 0x31 || quint8(frame[17]) != 0x0A)
        return;
    const quint8 modeByte = quint8(frame[15]);
    SP4->setChecked(modeByte & 0x40);
}
