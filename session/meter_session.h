#pragma once
#include "meter/meter_frame.h"
#include "meter/meter_settings.h"
#include "meter/rd_decoder.h"
#include "meter/rlcd_display.h"
#include "meter/u_decoder.h"

#include <QObject>

#include <array>

namespace localisation {
struct MainLexicons;
}
namespace dongle {
class DongleLink;
}

namespace session {

// The meter as the program knows it, without any widget: its settings record, which every
// report overwrites (the meter is the authority over its settings), the brightness it
// reports, the last RLCD reading and what the RLCD view shows. Frames from the link are
// decoded into typed readings; the user's choices change the record, show provisionally
// and go to the meter through the link.
class MeterSession : public QObject {
    Q_OBJECT
public:
    // The link's frames come in here, and choices go out through it. Texts are built with
    // the lexicons' current language.
    MeterSession(dongle::DongleLink& link, const localisation::MainLexicons& lexicons, QObject* parent = nullptr);

    const meter::TMeterSettings& settings() const { return m_settings; }
    qint32 testFreqHz() const { return m_testFreqHz; }
    bool brightnessOn() const { return m_brightnessOn; }
    const meter::RlcdDisplay& display() const { return m_display; }
    // The last RLCD reading (values in ohm); empty texts before the first one.
    const meter::RlcdReading& lastReading() const { return m_lastReading; }
    // The texts the log takes from the last reading.
    const QString& freqText() const { return m_freqText; }
    const QString& levelText() const { return m_levelText; }

    void DispatchFrame(const meter::TMeterFrame& frame);

    // The record back to its defaults, shown at once.
    void ResetSettings();
    // The parameter menus mark the rows of the record.
    void SyncMenus();
    // A part's stored settings replace the record and are shown.
    void applyStoredSettings(const std::array<quint8, meter::TMeterSettings::kSize>& stored);

    // The user's choices in the five menus; false for a row outside the menu, which
    // changes nothing.
    bool chooseFrequency(int row);
    bool chooseLevel(int row);
    bool choosePrimary(int row);
    bool chooseSecondary(int row);
    bool chooseCircuit(int row);
    // The function keys and the interval box.
    void setBrightness(bool on) { m_brightnessOn = on; }
    void setHold(bool on) { m_settings.Hold = on ? 1 : 0; }
    void setSound(bool on) { m_settings.Sound = on ? 1 : 0; }
    void setIntervalItem(int item);

    // The record goes to the meter (when linked), and frames flow again once the command
    // timer has run out, even when nothing could be sent.
    void submit();
    void sendModeCommand(quint8 code);

    // What the RLCD view shows loses its readings (the link went down) or the last side
    // reading (a port error).
    void clearReadings();
    void clearLastSideReading();

signals:
    // Every valid frame reports the brightness.
    void brightnessReported(bool on);
    // A frame of each mode was decoded; the display has been updated before.
    void rlcdDecoded(const meter::RlcdReading& reading);
    void rdDecoded(const meter::RdReading& reading);
    void uDecoded(const meter::UReading& reading);
    // The settings record was shown: from a report, the defaults or a part.
    void settingsShown(const meter::SettingsIndicators& indicators);
    // The parameter menus should mark these rows; the circuit menu alone follows a shown
    // circuit.
    void menusFollow(const meter::MenuSelection& selection);
    void circuitMenuFollows(int row);
    // What the RLCD view shows changed.
    void displayChanged();

private:
    void ShowSettings();
    void ShowCircuit();
    template <typename Choice> bool showChoice(const std::optional<Choice>& choice);

    dongle::DongleLink& m_link;
    const localisation::MainLexicons& m_lexicons;
    meter::TMeterSettings m_settings;
    qint32 m_testFreqHz = meter::kDefaultTestFreqHz;
    bool m_brightnessOn = true; // the brightness button starts pressed
    meter::RlcdReading m_lastReading;
    QString m_freqText, m_levelText;
    meter::RlcdDisplay m_display;
};

} // namespace session
