#include "link/dongle_link.h"

#include "link/com_port.h"
#include "link/dongle_probe.h"
#include "link/dongle_reply.h"

#include <QTimer>

#include <utility>

namespace dongle {
namespace {

QTimer* makeTimer(QObject* owner, const char* name, int intervalMs)
{
    auto* timer = new QTimer(owner);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(intervalMs);
    return timer;
}

} // namespace

DongleLink::DongleLink(QObject* parent) :
    QObject(parent), m_port(new ComPort(this)), m_probe(new DongleProbe(*m_port, this)),
    m_buttonTimer(makeTimer(this, "T2", kButtonHoldOffMs)), m_dongleWatch(makeTimer(this, "T3", kDongleWatchMs)),
    m_commandTimer(makeTimer(this, "Timer_TX", kCommandHoldMs))
{
    m_port->setObjectName(QStringLiteral("ComPort"));
    connect(m_buttonTimer, &QTimer::timeout, this, &DongleLink::T2Timer);
    connect(m_dongleWatch, &QTimer::timeout, this, &DongleLink::T3Timer);
    connect(m_commandTimer, &QTimer::timeout, this, &DongleLink::Timer_TXTimer);
    connect(m_port, &ComPort::afterOpen, this, &DongleLink::ComPortAfterOpen);
    connect(m_port, &ComPort::beforeClose, this, &DongleLink::ComPortBeforeClose);
    connect(m_port, &ComPort::rxChar, this, &DongleLink::ComPortRxChar);
    connect(m_port, &ComPort::exception, this, &DongleLink::portError);
    connect(m_port, &ComPort::openFailed, this, &DongleLink::reportProblem);
    connect(m_port, &ComPort::failed, this, &DongleLink::reportProblem);
    connect(m_port, &ComPort::writingResumed, this, [this] { m_lastProblem.reset(); });
    connect(m_port, &ComPort::deviceLost, this, &DongleLink::deviceLost);
    connect(m_probe, &DongleProbe::finished, this, &DongleLink::probeAnswered);
    m_dongleWatch->start();
}

DongleLink::~DongleLink()
{
    // The port closes with its owner; nobody is left to hear about it.
    m_port->disconnect(this);
}

void DongleLink::loadPortFinder(const QStringList& folders)
{
    m_portFinder.load(folders);
}

void DongleLink::usePort(const QString& path)
{
    m_portFinder.usePort(path);
}

QString DongleLink::portName() const
{
    return m_port->portName();
}

bool DongleLink::FindDongle()
{
    if (!m_portFinder.isAvailable() || !m_portFinder.query())
        return false;
    if (!m_portOpened) {
        m_port->close();
        m_port->setPortName(m_portFinder.portName());
        m_port->setBaudRate(kBaudRate);
        m_port->setHardwareFlowControl();
        m_port->open();
        m_portOpened = true;
        emit dongleReady();
    }
    return true;
}

void DongleLink::probe()
{
    if (m_probe->isRunning())
        return;
    if (!FindDongle()) {
        emit probeFinished(ProbeResult::NoDongle);
        return;
    }
    // The port's problem has been said already; asking a port we could not open would only
    // add a wrong "no answer".
    if (!m_port->isOpen()) {
        emit probeFinished(ProbeResult::CannotOpen);
        return;
    }
    holdTimersStill();
    m_probe->start();
}

// The probe holds the link still while the dongle answers: none of its timers run, and what
// the link would write goes out after the probe's own "AT"s.
void DongleLink::holdTimersStill()
{
    for (QTimer* timer : {m_buttonTimer, m_dongleWatch, m_commandTimer}) {
        if (timer->isActive()) {
            timer->stop();
            m_stillTimers << timer;
        }
    }
}

void DongleLink::probeAnswered(bool answered)
{
    for (QTimer* timer : std::exchange(m_stillTimers, {}))
        timer->start();
    for (const QByteArray& bytes : std::exchange(m_heldBackWrites, {}))
        m_port->write(bytes);
    if (answered) {
        emit probeFinished(ProbeResult::Answered);
        return;
    }
    if (!m_port->isOpen()) { // the device went away meanwhile, and the port with it
        emit probeFinished(ProbeResult::Silent);
        return;
    }
    connect(
        m_port, &ComPort::closed, this, [this] { emit probeFinished(ProbeResult::Silent); }, Qt::SingleShotConnection);
    m_port->close();
}

void DongleLink::writeToDongle(const QByteArray& bytes)
{
    if (m_probe->isRunning())
        m_heldBackWrites << bytes;
    else
        m_port->write(bytes);
}

void DongleLink::T3Timer()
{
    if (!FindDongle()) {
        m_port->close();
        return;
    }
    m_port->open();
    if (m_autoConnect)
        setConnectAllowed(false);
    if ((m_autoConnect || m_relinkWanted) && m_connectAction == ConnectAction::Connect && m_port->isOpen())
        writeToDongle("AT+CONNL");
}

void DongleLink::T2Timer()
{
    if (!m_autoConnect)
        setConnectAllowed(true);
    m_buttonTimer->stop();
}

void DongleLink::toggleLink()
{
    const ConnectAction clicked = m_connectAction;
    setConnectButton(ConnectAction::Pending, false);
    if (clicked == ConnectAction::Connect) {
        if (FindDongle())
            writeToDongle("AT+CONNL");
    } else {
        m_dropRequested = true;
        m_relinkWanted = false;
        writeToDongle("AT");
    }
}

void DongleLink::setAutoConnect(bool on)
{
    m_autoConnect = on;
    setConnectAllowed(!on);
}

void DongleLink::ComPortAfterOpen()
{
    m_lastProblem.reset();
    m_reader = DongleStreamReader();
    setConnectAllowed(true);
}

void DongleLink::ComPortBeforeClose()
{
    m_meterLinked = false;
    m_portOpened = false;
    writeToDongle("AT");
    setConnectAllowed(false);
    emit portClosed();
    showLinkDown();
}

void DongleLink::ComPortRxChar()
{
    if (m_probe->isRunning())
        return; // the answer is the probe's to read
    while (m_port->isOpen()) {
        const QByteArray read = m_port->read(kMaxReadLength);
        if (read.isEmpty())
            return;
        for (const DongleToken& token : m_reader.feed(read))
            handle(token);
    }
}

void DongleLink::handle(const DongleToken& token)
{
    switch (token.kind) {
    case DongleReply::ConnectionStarted:
        m_meterLinked = false;
        setConnectAllowed(false);
        emit connectionStarted();
        break;
    case DongleReply::ConnectionFailed:
        m_meterLinked = false;
        startTimerKeepingInterval(m_buttonTimer);
        emit connectionFailed();
        break;
    case DongleReply::ConnectionRefused:
        m_meterLinked = false;
        startTimerKeepingInterval(m_buttonTimer);
        emit connectionRefused();
        break;
    case DongleReply::LinkUp: MeterLinkUp(); break;
    case DongleReply::LinkLost: MeterLinkDown(); break;
    case DongleReply::Ok: emit okReceived(QString::fromLatin1(token.bytes)); break;
    case DongleReply::Unrecognised: break; // the reader never gives one
    case DongleReply::Frame:
        emit frameArrived();
        if (m_framesHeld)
            break;
        if (const auto frame = meter::FrameFromBytes(token.bytes))
            emit frameReceived(*frame);
        break;
    }
}

// The device went away while its port was open: the port is closed already. What the
// link was is gone with it, and the dongle watch looks for the device again.
void DongleLink::deviceLost()
{
    m_portOpened = false;
    reportProblem({PortProblemKind::Removed, m_port->portName(), {}, {}});
    if (m_meterLinked) {
        MeterLinkDown();
        return;
    }
    m_meterLinked = false;
    setConnectButton(ConnectAction::Connect, m_connectAllowed);
    startTimerKeepingInterval(m_dongleWatch);
}

void DongleLink::reportProblem(const PortProblem& problem)
{
    if (m_lastProblem == problem)
        return;
    m_lastProblem = problem;
    emit portProblem(problem);
}

void DongleLink::MeterLinkUp()
{
    m_meterLinked = true;
    m_relinkWanted = false;
    startTimerKeepingInterval(m_buttonTimer);
    m_dongleWatch->stop();
    setConnectButton(ConnectAction::Disconnect, m_connectAllowed);
    emit meterLinkedUp();
}

void DongleLink::MeterLinkDown()
{
    m_relinkWanted = !m_dropRequested;
    m_dropRequested = false;
    m_meterLinked = false;
    emit meterLinkLost();
    showLinkDown();
}

// Once the meter is no longer linked: the button usable again after T2, offering to
// connect, and the dongle watch running.
void DongleLink::showLinkDown()
{
    startTimerKeepingInterval(m_buttonTimer);
    setConnectButton(ConnectAction::Connect, m_connectAllowed);
    startTimerKeepingInterval(m_dongleWatch);
}

void DongleLink::SendSettings(meter::TMeterSettings& settings, bool brightnessPressed)
{
    m_framesHeld = true;
    if (!m_meterLinked)
        return;
    m_command = EncodeSettingsCommand(settings, brightnessPressed);
    TransmitCommand();
}

void DongleLink::SendModeCommand(quint8 code, bool brightnessPressed)
{
    m_command = EncodeModeCommand(code, brightnessPressed);
    TransmitCommand();
}

void DongleLink::TransmitCommand()
{
    m_command.bytes[4] = kCommandTerminator;
    startTimerKeepingInterval(m_commandTimer);
    if (m_portFinder.status() == 1)
        writeToDongle(m_command.toByteArray());
}

void DongleLink::Timer_TXTimer()
{
    m_commandTimer->stop();
    m_framesHeld = false;
}

void DongleLink::releaseFramesLater()
{
    startTimerKeepingInterval(m_commandTimer);
}

void DongleLink::sendAt()
{
    m_dropRequested = m_meterLinked;
    writeToDongle("AT");
    startTimerKeepingInterval(m_dongleWatch);
}

void DongleLink::stopWatching()
{
    for (QTimer* timer : {m_buttonTimer, m_dongleWatch}) {
        timer->stop();
        m_stillTimers.removeAll(timer); // a probe that ends later does not start it again
    }
}

void DongleLink::setConnectButton(ConnectAction action, bool allowed)
{
    if (action == m_connectAction && allowed == m_connectAllowed)
        return;
    m_connectAction = action;
    m_connectAllowed = allowed;
    emit connectButtonChanged();
}

void startTimerKeepingInterval(QTimer* timer)
{
    if (!timer->isActive())
        timer->start();
}

} // namespace dongle
