#include "session/meter_session.h"

#include "link/dongle_link.h"
#include "meter/report_interval.h"
#include "meter/unit_texts.h"

namespace session {

MeterSession::MeterSession(dongle::DongleLink& link, const localisation::MainLexicons& lexicons, QObject* parent) :
    QObject(parent), m_link(link), m_lexicons(lexicons)
{
    connect(&m_link, &dongle::DongleLink::frameReceived, this, &MeterSession::DispatchFrame);
}

void MeterSession::DispatchFrame(const meter::TMeterFrame& frame)
{
    const auto dispatch = meter::DispatchFrame(frame);
    if (!dispatch)
        return;
    m_brightnessOn = dispatch->brightnessOn;
    emit brightnessReported(m_brightnessOn);
    const meter::UnitTexts units = meter::UnitTexts::From(m_lexicons);
    switch (dispatch->mode) {
    case meter::MeterMode::Rlcd: {
        m_lastReading = meter::DecodeRlcd(frame, m_settings, units);
        m_testFreqHz = m_lastReading.TestFreqHz;
        if (m_lastReading.LevelText)
            m_levelText = *m_lastReading.LevelText;
        m_freqText = m_lastReading.FreqText;
        m_display.show(m_lastReading);
        emit menusFollow(m_lastReading.menus);
        emit settingsShown(m_lastReading.indicators);
        emit displayChanged();
        emit rlcdDecoded(m_lastReading);
        break;
    }
    case meter::MeterMode::Rd: emit rdDecoded(meter::DecodeRd(frame, units)); break;
    case meter::MeterMode::U: emit uDecoded(meter::DecodeU(frame, units)); break;
    case meter::MeterMode::None: break;
    }
}

void MeterSession::ShowSettings()
{
    const meter::SettingsIndicators indicators =
        meter::ShowSettings(m_settings, m_testFreqHz, meter::UnitTexts::From(m_lexicons));
    m_display.show(indicators);
    emit settingsShown(indicators);
    emit displayChanged();
}

void MeterSession::ShowCircuit()
{
    const auto circuit = meter::ShowCircuit(m_settings);
    if (!circuit)
        return;
    m_display.show(*circuit);
    emit circuitMenuFollows(circuit->circuitRow);
    emit displayChanged();
}

void MeterSession::SyncMenus()
{
    emit menusFollow(meter::SyncMenus(m_settings));
}

void MeterSession::ResetSettings()
{
    meter::ResetSettings(m_settings);
    m_testFreqHz = meter::kDefaultTestFreqHz;
    ShowSettings();
    ShowCircuit();
}

void MeterSession::applyStoredSettings(const std::array<quint8, meter::TMeterSettings::kSize>& stored)
{
    m_settings = meter::TMeterSettings::fromBytes(stored);
    m_testFreqHz = meter::FreqIndexToHz(m_settings.FreqIndex);
    ShowSettings();
    ShowCircuit();
}

template <typename Choice> bool MeterSession::showChoice(const std::optional<Choice>& choice)
{
    if (!choice)
        return false;
    m_display.show(*choice);
    emit displayChanged();
    return true;
}

bool MeterSession::chooseFrequency(int row)
{
    return showChoice(meter::ChooseFrequency(m_settings, row, meter::UnitTexts::From(m_lexicons)));
}

bool MeterSession::chooseLevel(int row)
{
    return showChoice(meter::ChooseLevel(m_settings, row, meter::UnitTexts::From(m_lexicons)));
}

bool MeterSession::choosePrimary(int row)
{
    return showChoice(meter::ChoosePrimary(m_settings, row));
}

bool MeterSession::chooseSecondary(int row)
{
    return showChoice(meter::ChooseSecondary(m_settings, row));
}

bool MeterSession::chooseCircuit(int row)
{
    return showChoice(meter::ChooseCircuit(m_settings, row));
}

void MeterSession::setIntervalItem(int item)
{
    if (const auto code = meter::ReportIntervalCode(item))
        m_settings.IntervalCode = *code;
}

void MeterSession::submit()
{
    m_link.SendSettings(m_settings, m_brightnessOn);
    m_link.releaseFramesLater();
}

void MeterSession::sendModeCommand(quint8 code)
{
    m_link.SendModeCommand(code, m_brightnessOn);
}

void MeterSession::clearReadings()
{
    m_display.clearReadings();
    emit displayChanged();
}

void MeterSession::clearLastSideReading()
{
    m_display.sidePhase.clear();
    emit displayChanged();
}

} // namespace session
