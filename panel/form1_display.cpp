// The window's side of the display: frames to the three views, and the indicators that
// mirror the settings record.
#include "form1.h"

#include "display_view.h"
#include "drop_down_combo.h"
#include "hover_label.h"
#include "main_lexicons.h"
#include "menu_list.h"
#include "rd_decoder.h"
#include "rlcd_decoder.h"
#include "u_decoder.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

void setIfGiven(QLabel* label, const std::optional<QString>& text)
{
    if (text)
        label->setText(*text);
}

// Selects a row without running the list's click reaction; a row the list does not have
// leaves it without a selection.
void selectQuietly(QListWidget* list, int row)
{
    const QSignalBlocker quiet(list);
    list->setCurrentRow(row < list->count() ? row : -1);
}

} // namespace

void TForm1::DispatchFrame(const QByteArray& received)
{
    const auto frame = meter::FrameFromBytes(received);
    if (!frame)
        return;
    const auto dispatch = meter::DispatchFrame(*frame);
    if (!dispatch)
        return;
    SP4->setChecked(dispatch->brightnessOn);
    switch (dispatch->mode) {
    case meter::MeterMode::Rlcd: DecodeRlcd(*frame); break;
    case meter::MeterMode::Rd: DecodeRd(*frame); break;
    case meter::MeterMode::U: DecodeU(*frame); break;
    case meter::MeterMode::None: break;
    }
}

void TForm1::showOnlyView(panel::DisplayView* view)
{
    for (panel::DisplayView* v : {Panel_RLCD, Panel_RD, Panel_U})
        v->setVisible(v == view);
}

void TForm1::DecodeRlcd(const meter::TMeterFrame& frame)
{
    showOnlyView(Panel_RLCD);
    SP3->setEnabled(true);
    const meter::RlcdReading reading = meter::DecodeRlcd(frame, Settings, meter::UnitTexts::From(*lexicons));
    applySyncMenus(reading.menus);
    TestFreqHz = reading.TestFreqHz;
    SerR = reading.SerR;
    SerX = reading.SerX;
    ParR = reading.ParR;
    ParX = reading.ParX;
    L_SER_PER1->setText(reading.L_SER_PER1);
    setIfGiven(L_prim_n, reading.L_prim_n);
    L_SER_PER->setText(reading.L_SER_PER);
    setIfGiven(L_sec_n, reading.L_sec_n);
    if (reading.LevelText)
        LevelText = *reading.LevelText;
    FreqText = reading.FreqText;
    applySettingsIndicators(reading.indicators);
    L_righ1->setText(reading.L_righ1);
    L_righ2->setText(reading.L_righ2);
    L_righ3->setText(reading.L_righ3);
    L_righ4->setText(reading.L_righ4);
    afterRlcdReading();
}

void TForm1::ShowSettings()
{
    applySettingsIndicators(meter::ShowSettings(Settings, TestFreqHz, meter::UnitTexts::From(*lexicons)));
}

void TForm1::applySettingsIndicators(const meter::SettingsIndicators& indicators)
{
    L_RLC_avto->setText(indicators.L_RLC_avto);
    if (indicators.holdDown) {
        SP1->setEnabled(false);
        SP3->setChecked(true);
    } else {
        if (!SB4->isChecked())
            SP1->setEnabled(true);
        SP3->setChecked(false);
    }
    SP2->setChecked(indicators.soundDown);
    if (indicators.intervalItem) {
        const QSignalBlocker quiet(CB1);
        CB1->setCurrentIndex(*indicators.intervalItem);
    }
    L_freq_RLC->setText(indicators.L_freq_RLC);
    L_Level_RLC->setText(indicators.L_Level_RLC);
    setIfGiven(L_Prim_RLC, indicators.L_Prim_RLC);
    L_RQD_avto->setText(indicators.L_RQD_avto);
    setIfGiven(L_Sec_RLC, indicators.L_Sec_RLC);
}

void TForm1::ShowCircuit()
{
    const auto circuit = meter::ShowCircuit(Settings);
    if (!circuit)
        return;
    selectQuietly(ListBox_ser_per, circuit->ListBox_ser_per);
    L_SER_PER->setText(circuit->letter);
    L_SER_PER1->setText(circuit->letter);
}

void TForm1::SyncMenus()
{
    applySyncMenus(meter::SyncMenus(Settings));
}

void TForm1::applySyncMenus(const meter::MenuSelection& selection)
{
    selectQuietly(ListBox_freq_RLC, selection.ListBox_freq_RLC);
    selectQuietly(ListBox_prim_RLC, selection.ListBox_prim_RLC);
    selectQuietly(ListBox_sec_RLC, selection.ListBox_sec_RLC);
    selectQuietly(ListBox_Level_RLC, selection.ListBox_Level_RLC);
    selectQuietly(ListBox_ser_per, selection.ListBox_ser_per);
}

void TForm1::ResetSettings()
{
    meter::ResetSettings(Settings);
    TestFreqHz = meter::kDefaultTestFreqHz;
    ShowSettings();
    ShowCircuit();
}

void TForm1::DecodeRd(const meter::TMeterFrame& frame)
{
    showOnlyView(Panel_RD);
    SP3->setEnabled(false);
    const meter::RdReading reading = meter::DecodeRd(frame, meter::UnitTexts::From(*lexicons));
    RD_Auto->setText(reading.RD_Auto);
    Joo->setText(reading.Joo);
    J_prim->setText(reading.J_prim);
    RD_J->setText(reading.RD_J);
    RD_J1->setText(reading.RD_J1);
    setIfGiven(RD_V, reading.RD_V);
    RD_prim_R->setText(reading.RD_prim_R);
    RD_Prim->setText(reading.RD_Prim);
    Im_Diod->hide();
    Im_Diod->show();
    Im_Diod->setPixmap(ImList1.value(reading.picture));
}

void TForm1::DecodeU(const meter::TMeterFrame& frame)
{
    showOnlyView(Panel_U);
    SP3->setEnabled(false);
    const meter::UReading reading = meter::DecodeU(frame, meter::UnitTexts::From(*lexicons));
    U_Prim->setText(reading.U_Prim);
    U_vrm->setText(reading.U_vrm);
    U_pp->setText(reading.U_pp);
}
