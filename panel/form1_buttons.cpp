// The meter's function keys on the front panel: brightness, hold, sound and defaults.
#include "form1.h"

#include <QPushButton>

void TForm1::SP4Click()
{
    MenuBusy = 1;
    submitSettings();
}

void TForm1::SP3Click()
{
    MenuBusy = 1;
    if (SP3->isChecked()) {
        Settings.Hold = 1;
        SP1->setEnabled(false);
    } else {
        Settings.Hold = 0;
        if (!SB4->isChecked())
            SP1->setEnabled(true);
    }
    submitSettings();
}

void TForm1::SP2Click()
{
    MenuBusy = 1;
    Settings.Sound = SP2->isChecked() ? 1 : 0;
    submitSettings();
}

void TForm1::SBe1Click()
{
    MenuBusy = 1;
    ResetSettings();
    submitSettings();
}

void TForm1::wireFunctionButtons()
{
    connect(SP4, &QPushButton::clicked, this, &TForm1::SP4Click);
    connect(SP3, &QPushButton::clicked, this, &TForm1::SP3Click);
    connect(SP2, &QPushButton::clicked, this, &TForm1::SP2Click);
    connect(SBe1, &QPushButton::clicked, this, &TForm1::SBe1Click);
}
