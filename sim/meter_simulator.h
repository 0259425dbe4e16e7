#pragma once
#include "sim/frame_delivery.h"
#include "sim/meter_model.h"
#include "sim/pluggable_port.h"
#include "sim/sim_command.h"
#include "sim/wire_splitter.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

namespace sim {

// The dongle and the meter behind it, on a pseudo-terminal: the program opens stablePath()
// (or the device itself, slavePath()) as its serial port. Runs on the event loop of the
// thread that created it.
//
// Dongle: "AT" is answered "OK" while unlinked, and drops the link with "OK+LOST" while
// linked. "AT+CONNL" is answered "OK+CONNL" and, after the link delay, by the reply of the
// chosen connect outcome; other AT texts get no answer. Once linked the meter reports one
// frame per report interval, delivered as frameDelivery() says, and takes the 5-byte
// commands it receives; commands that arrive while unlinked are recorded but never reach
// the meter.
//
// Unplugging makes the dongle vanish like a USB device pulled out: its device and the
// stable link go, the link to the meter is lost without a word, and the dongle forgets what
// it was doing. Replugging brings it back, unlinked, on a fresh device behind the same
// stable link.
class MeterSimulator : public QObject {
    Q_OBJECT
public:
    enum class ConnectOutcome {
        Link,         // "OK+CONNL", later "OK+CONN\r\n"
        LinkCombined, // "OK+CONNLOK+CONN\r\n" and the first frame in one write
        FailE,        // "OK+CONNL", later "OK+CONNE"
        FailF,        // "OK+CONNL", later "OK+CONNF"
        FailEF,       // "OK+CONNL", later "OK+CONNEOK+CONNF"
        Refuse,       // "OK+CONNL", later "OK+CONNN"
    };

    static constexpr int kDefaultLinkDelayMs = 300;
    // AT texts carry no terminator: a text that may still grow is taken as it stands once
    // the program has been quiet this long.
    static constexpr int kTextQuietMs = 30;

    // The stable link is kept at stableLinkPath, or in a temporary folder of the simulator's
    // own when it is empty. Throws std::system_error when no pseudo-terminal can be had or
    // the link cannot be made there.
    explicit MeterSimulator(const QString& stableLinkPath = {}, QObject* parent = nullptr);

    QString stablePath() const { return m_port.stablePath(); }
    // The current device; empty while unplugged.
    QString slavePath() const { return m_port.slavePath(); }
    bool isPluggedIn() const { return m_port.isPluggedIn(); }
    bool isLinked() const { return m_linked; }

    void unplug();
    // Nothing happens while plugged in. Throws like the constructor.
    void replug();
    // A dongle that stops taking bytes, as one whose USB side has hung: what the program
    // writes waits on its side of the line until the dongle takes bytes again, while what
    // the dongle sends still arrives. Throws std::system_error when the system refuses.
    void setTakingBytes(bool taking) { m_port.setTakingBytes(taking); }

    // The meter: component, mode, noise, exact next readings, current settings.
    MeterModel& meter() { return m_meter; }

    void setConnectOutcome(ConnectOutcome outcome) { m_outcome = outcome; }
    void setLinkDelayMs(int delayMs) { m_linkDelayMs = delayMs; }
    // A fixed report interval for fast tests and demos; 0 returns to the meter's own.
    void setIntervalOverrideMs(int intervalMs);
    // How the periodic reports go out; from now on.
    void setFrameDelivery(const FrameDelivery& delivery) { m_delivery = delivery; }
    const FrameDelivery& frameDelivery() const { return m_delivery; }
    // Reports one frame at once as one write, linked or not, whatever the delivery.
    void sendFrameNow();

    // Faults, each written at once whatever the link state (and lost while unplugged).
    void injectGarbage(const QByteArray& bytes);
    void injectReplyWithFrame(const QByteArray& reply);    // the reply and a frame in one write
    void injectSplitFrame(int firstPartLength, int gapMs); // the rest is lost if unplugged in the gap
    void injectLinkLoss();                                 // unsolicited "OK+LOST"; frames stop
    void injectWrongTrailer();                             // a frame ending 0x31 0x0D
    void injectUnknownMode(uint8_t mode);                  // a frame whose mode nibble is this

    // What the program has written: every byte, the commands and the AT texts among them.
    const QByteArray& receivedBytes() const { return m_receivedBytes; }
    const QList<MeterCommand>& receivedCommands() const { return m_receivedCommands; }
    const QList<QByteArray>& receivedAtTexts() const { return m_receivedAtTexts; }
    void clearRecords();

signals:
    void commandReceived(const sim::MeterCommand& command);
    void linkStateChanged(bool linked);
    // Once the frame's last byte is on the line; never for a frame lost by unplugging.
    void frameSent(const QByteArray& frame);

private:
    void readFromProgram(const QByteArray& bytes);
    void handle(const std::vector<WireChunk>& chunks);
    void handleAtText(const QByteArray& text);
    void handleCommand(const MeterCommand& command);
    void startConnecting();
    void finishConnecting();
    void setLinked(bool linked);
    void forgetLink();
    void scheduleNextFrame();
    void reportFrame(const QByteArray& frame);
    void sendFrame(const QByteArray& frame);
    void deliver(const DeliveryWrites& writes, const QByteArray& frames);
    int frameIntervalMs() const;

    PluggablePort m_port;
    WireSplitter m_splitter;
    QTimer m_quietTimer;
    QTimer m_connectTimer;
    QTimer m_frameTimer;
    MeterModel m_meter;

    bool m_linked = false;
    ConnectOutcome m_outcome = ConnectOutcome::Link;
    int m_linkDelayMs = kDefaultLinkDelayMs;
    int m_intervalOverrideMs = 0;
    FrameDelivery m_delivery;
    QByteArray m_heldFrame; // the first of a pair, waiting for the second

    QByteArray m_receivedBytes;
    QList<MeterCommand> m_receivedCommands;
    QList<QByteArray> m_receivedAtTexts;
};

} // namespace sim
