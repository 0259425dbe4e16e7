#pragma once
#include "link/dongle_stream_reader.h"
#include "link/meter_command.h"
#include "link/port_finder.h"
#include "link/port_problem.h"
#include "meter/meter_frame.h"
#include "meter/meter_settings.h"

#include <QObject>
#include <QStringList>

#include <optional>

class QTimer;

namespace dongle {

class ComPort;
class DongleProbe;

// What a click on the connect button does, which its caption shows: connect (item 0 of the
// connection lexicon), nothing decided yet (a blank caption, after a click), or disconnect
// (item 1, while the meter is linked). A click on a blank caption disconnects.
enum class ConnectAction { Connect, Pending, Disconnect };

// The link to the meter through its dongle, without any widget: it finds the dongle (the
// dongle watch T2/T3), opens its port, runs the AT dialogue, passes the meter's frames on
// and sends the commands. While frames are held off ("MenuBusy": the user is choosing a
// setting, or a settings command is on its way to the meter), received frames are dropped;
// the command timer Timer_TX lets them through again 1000 ms after a transmission.
//
// The connect button is the link's too: what a click does and whether it may be clicked
// are link state, shown by whoever draws the button.
//
// The bytes from the port go through a stream reader, so replies and frames are found
// however the reads split or join them. A device that goes away takes the link down at
// once, as a lost link does, and the port is closed; the dongle watch then looks for it
// again, under its old port name or a new one. A link that was lost rather than dropped
// by the user is made again by itself once the dongle is back, as it is with the automatic
// connection on. A port that cannot be opened or fails while open says why, once per
// reason; a problem that returns after the port worked again is said again.
class DongleLink : public QObject {
    Q_OBJECT
public:
    static constexpr qint32 kBaudRate = 57600;
    static constexpr int kButtonHoldOffMs = 2000;
    static constexpr int kDongleWatchMs = 2500;
    static constexpr int kCommandHoldMs = 1000;

    explicit DongleLink(QObject* parent = nullptr);
    ~DongleLink() override;

    // Loads the port finder from the first of these folders that holds it.
    void loadPortFinder(const QStringList& folders);
    // The dongle is on this port and nowhere else, instead of where the finder says.
    void usePort(const QString& path);

    bool isMeterLinked() const { return m_meterLinked; }
    bool portOpened() const { return m_portOpened; }
    bool framesHeld() const { return m_framesHeld; }
    bool autoConnect() const { return m_autoConnect; }
    ConnectAction connectAction() const { return m_connectAction; }
    bool connectAllowed() const { return m_connectAllowed; }
    QString portName() const;
    const TMeterCommand& lastCommand() const { return m_command; }

    // Asks the port finder; when the dongle is there and its port is not prepared yet, the
    // port is (re)opened with the dongle's settings. True when the dongle is present.
    bool FindDongle();

    // The start-up check: "AT" twice and the answer read back, on the event loop; while it
    // runs the link's timers stand still, what the link would write waits, and its result
    // comes as probeFinished(). NoDongle when the finder reports none; CannotOpen when the
    // found port would not open (its problem has been said); Silent, once the port has
    // closed, when the answer holds no "OK". Nothing happens while a probe runs.
    enum class ProbeResult { NoDongle, CannotOpen, Answered, Silent };
    Q_ENUM(ProbeResult)
    void probe();

    // Connects when the link is down, disconnects when it is up (the user's connect button).
    void toggleLink();
    // The automatic connection was switched on or off.
    void setAutoConnect(bool on);

    // Settings hold frames off, so that no report of the old settings overwrites them on
    // their way, and go out only while the meter is linked; a mode command goes whenever the
    // dongle is there and holds nothing. Every transmission starts the command timer.
    void SendSettings(meter::TMeterSettings& settings, bool brightnessPressed);
    void SendModeCommand(quint8 code, bool brightnessPressed);

    // The user is choosing a setting (a menu or the interval list opened, or a click in a
    // menu that chose nothing): frames are dropped from now on, until released.
    void holdFramesWhileChoosing() { m_framesHeld = true; }
    // Frames pass again at once (the pointer left a menu).
    void releaseFrames() { m_framesHeld = false; }
    // Frames pass again when the command timer runs out, as after a transmission; a
    // running timer keeps its interval.
    void releaseFramesLater();

    // "AT" to the dongle, which drops a link, and the dongle watch running (a change of
    // interface language asks for both).
    void sendAt();
    // Closing: the dongle watch and the button timer stop.
    void stopWatching();

signals:
    // A frame read while frames are not held off.
    void frameReceived(const meter::TMeterFrame& frame);
    // The dongle's answers.
    void connectionStarted();
    void connectionFailed();
    void connectionRefused();
    void meterLinkedUp();
    void meterLinkLost();
    void okReceived(const QString& text);
    // Any valid frame the meter sent, also one that is held off: the meter is alive.
    void frameArrived();
    // The port closed while the dongle was still there: the link is down.
    void portClosed();
    // The dongle was found and its port prepared.
    void dongleReady();
    // An operation of the port failed (every time, also when it is no news to the user).
    void portError(const QString& message);
    // The port could not be opened, the device went away, or the open port failed; said
    // once per reason until the port works again.
    void portProblem(const dongle::PortProblem& problem);
    // The start-up check is over.
    void probeFinished(dongle::DongleLink::ProbeResult result);
    // What the connect button does or whether it may be clicked changed.
    void connectButtonChanged();

private:
    void T2Timer();
    void T3Timer();
    void Timer_TXTimer();
    void ComPortAfterOpen();
    void ComPortBeforeClose();
    void ComPortRxChar();
    void handle(const DongleToken& token);
    void deviceLost();
    void reportProblem(const PortProblem& problem);
    void probeAnswered(bool answered);
    void holdTimersStill();
    void writeToDongle(const QByteArray& bytes);
    void MeterLinkUp();
    void MeterLinkDown();
    void TransmitCommand();
    void showLinkDown();
    void setConnectButton(ConnectAction action, bool allowed);
    void setConnectAllowed(bool allowed) { setConnectButton(m_connectAction, allowed); }

    ComPort* m_port;
    DongleProbe* m_probe;
    PortFinder m_portFinder;
    QTimer* m_buttonTimer;  // T2
    QTimer* m_dongleWatch;  // T3
    QTimer* m_commandTimer; // Timer_TX

    bool m_portOpened = false;  // PortOpened
    bool m_meterLinked = false; // MeterLinked
    bool m_framesHeld = false;  // MenuBusy
    bool m_autoConnect = false;
    // The link went without the user asking: the dongle watch makes it again.
    bool m_relinkWanted = false;
    // The user asked to drop the link; the dongle's "OK+LOST" that follows is no loss.
    bool m_dropRequested = false;
    DongleStreamReader m_reader;
    std::optional<PortProblem> m_lastProblem;
    QList<QTimer*> m_stillTimers;       // stopped while the probe runs
    QList<QByteArray> m_heldBackWrites; // written once the probe is over
    ConnectAction m_connectAction = ConnectAction::Connect;
    bool m_connectAllowed = true;
    TMeterCommand m_command;
};

// Starts a timer unless it is running already: a running timer keeps its interval.
void startTimerKeepingInterval(QTimer* timer);

} // namespace dongle
