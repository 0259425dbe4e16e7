#include "sim/meter_simulator.h"

#include "sim/frame_encoder.h"

#include <utility>

namespace sim {
namespace {

const QByteArray kOk = QByteArrayLiteral("OK");
const QByteArray kLost = QByteArrayLiteral("OK+LOST");
const QByteArray kConnecting = QByteArrayLiteral("OK+CONNL");
const QByteArray kLinked = QByteArrayLiteral("OK+CONN\r\n");

QByteArray outcomeReply(MeterSimulator::ConnectOutcome outcome)
{
    using Outcome = MeterSimulator::ConnectOutcome;
    switch (outcome) {
    case Outcome::FailE: return QByteArrayLiteral("OK+CONNE");
    case Outcome::FailF: return QByteArrayLiteral("OK+CONNF");
    case Outcome::FailEF: return QByteArrayLiteral("OK+CONNEOK+CONNF");
    case Outcome::Refuse: return QByteArrayLiteral("OK+CONNN");
    default: return kLinked;
    }
}

bool outcomeLinks(MeterSimulator::ConnectOutcome outcome)
{
    return outcome == MeterSimulator::ConnectOutcome::Link || outcome == MeterSimulator::ConnectOutcome::LinkCombined;
}

} // namespace

MeterSimulator::MeterSimulator(const QString& stableLinkPath, QObject* parent) : QObject(parent), m_port(stableLinkPath)
{
    qRegisterMetaType<sim::MeterCommand>();
    connect(&m_port, &PluggablePort::received, this, &MeterSimulator::readFromProgram);
    m_quietTimer.setSingleShot(true);
    connect(&m_quietTimer, &QTimer::timeout, this, [this] { handle(m_splitter.flush()); });
    m_connectTimer.setSingleShot(true);
    connect(&m_connectTimer, &QTimer::timeout, this, &MeterSimulator::finishConnecting);
    m_frameTimer.setSingleShot(true);
    connect(&m_frameTimer, &QTimer::timeout, this, [this] {
        reportFrame(m_meter.nextFrame());
        scheduleNextFrame();
    });
}

void MeterSimulator::unplug()
{
    m_port.unplug();
    forgetLink();
}

void MeterSimulator::replug()
{
    m_port.plugIn();
}

void MeterSimulator::setIntervalOverrideMs(int intervalMs)
{
    m_intervalOverrideMs = intervalMs;
    if (m_linked)
        scheduleNextFrame();
}

void MeterSimulator::sendFrameNow()
{
    sendFrame(m_meter.nextFrame());
}

void MeterSimulator::injectGarbage(const QByteArray& bytes)
{
    m_port.write(bytes);
}

void MeterSimulator::injectReplyWithFrame(const QByteArray& reply)
{
    const QByteArray frame = m_meter.nextFrame();
    deliver({reply + frame}, frame);
}

void MeterSimulator::injectSplitFrame(int firstPartLength, int gapMs)
{
    const QByteArray frame = m_meter.nextFrame();
    deliver(deliveryWrites({.splitAt = firstPartLength, .splitGapMs = gapMs}, frame), frame);
}

void MeterSimulator::injectLinkLoss()
{
    m_port.write(kLost);
    setLinked(false);
}

void MeterSimulator::injectWrongTrailer()
{
    QByteArray frame = m_meter.nextFrame();
    frame[kFrameLength - 1] = '\r';
    sendFrame(frame);
}

void MeterSimulator::injectUnknownMode(uint8_t mode)
{
    QByteArray frame = m_meter.nextFrame();
    frame[kModeByte] = char((uint8_t(frame[kModeByte]) & 0xF0) | (mode & 0x0F));
    sendFrame(frame);
}

void MeterSimulator::clearRecords()
{
    m_receivedBytes.clear();
    m_receivedCommands.clear();
    m_receivedAtTexts.clear();
}

void MeterSimulator::readFromProgram(const QByteArray& bytes)
{
    m_receivedBytes += bytes;
    handle(m_splitter.feed(bytes));
    if (m_splitter.hasPendingTail())
        m_quietTimer.start(kTextQuietMs);
    else
        m_quietTimer.stop();
}

void MeterSimulator::handle(const std::vector<WireChunk>& chunks)
{
    for (const WireChunk& chunk : chunks) {
        if (chunk.kind == WireChunk::Kind::AtText)
            handleAtText(chunk.bytes);
        else if (chunk.kind == WireChunk::Kind::Command)
            handleCommand(*MeterCommand::fromBytes(chunk.bytes));
        // Noise is dropped; it stays visible in receivedBytes().
    }
}

void MeterSimulator::handleAtText(const QByteArray& text)
{
    m_receivedAtTexts.append(text);
    if (text == "AT") {
        m_connectTimer.stop();
        m_port.write(m_linked ? kLost : kOk);
        setLinked(false);
    } else if (text == "AT+CONNL" && !m_linked) {
        startConnecting();
    }
}

void MeterSimulator::handleCommand(const MeterCommand& command)
{
    m_receivedCommands.append(command);
    emit commandReceived(command);
    if (!m_linked)
        return;
    m_meter.applyCommand(command);
    scheduleNextFrame(); // a new interval takes effect at once
}

void MeterSimulator::startConnecting()
{
    if (m_outcome == ConnectOutcome::LinkCombined) {
        const QByteArray frame = m_meter.nextFrame();
        deliver({kConnecting + kLinked + frame}, frame);
        setLinked(true);
        return;
    }
    m_port.write(kConnecting);
    m_connectTimer.start(m_linkDelayMs);
}

void MeterSimulator::finishConnecting()
{
    m_port.write(outcomeReply(m_outcome));
    setLinked(outcomeLinks(m_outcome));
}

void MeterSimulator::setLinked(bool linked)
{
    if (linked == m_linked)
        return;
    m_linked = linked;
    if (linked) {
        scheduleNextFrame();
    } else {
        m_frameTimer.stop();
        m_heldFrame.clear(); // it belonged to the link that is gone
    }
    emit linkStateChanged(linked);
}

// What a dongle losing its power loses: the link, a connection under way, a text half
// received.
void MeterSimulator::forgetLink()
{
    m_connectTimer.stop();
    m_quietTimer.stop();
    m_splitter = WireSplitter();
    setLinked(false);
}

void MeterSimulator::scheduleNextFrame()
{
    m_frameTimer.start(frameIntervalMs());
}

int MeterSimulator::frameIntervalMs() const
{
    return m_intervalOverrideMs > 0 ? m_intervalOverrideMs : m_meter.reportIntervalMs();
}

void MeterSimulator::reportFrame(const QByteArray& frame)
{
    if (m_delivery.paired && m_heldFrame.isEmpty()) {
        m_heldFrame = frame;
        return;
    }
    const QByteArray frames = std::exchange(m_heldFrame, {}) + frame;
    deliver(deliveryWrites(m_delivery, frames), frames);
}

void MeterSimulator::sendFrame(const QByteArray& frame)
{
    deliver({frame}, frame);
}

// frames: the frames among the written bytes, one after another, announced once written.
void MeterSimulator::deliver(const DeliveryWrites& writes, const QByteArray& frames)
{
    const auto announce = [this, frames] {
        for (qsizetype at = 0; at < frames.size(); at += kFrameLength)
            emit frameSent(frames.mid(at, kFrameLength));
    };
    if (!m_port.write(writes.first))
        return;
    if (writes.rest.isEmpty())
        announce();
    else
        m_port.writeAfter(writes.restDelayMs, writes.rest, announce);
}

} // namespace sim
