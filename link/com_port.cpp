#include "link/com_port.h"

#include <poll.h>
#include <utility>

namespace dongle {
namespace {

int writeTimeoutMs(qint64 byteCount)
{
    return ComPort::kWriteTimeoutPerByteMs * int(byteCount) + ComPort::kWriteTimeoutExtraMs;
}

} // namespace

ComPort::ComPort(QObject* parent) : QObject(parent)
{
    m_port.setReadBufferSize(kReceiveBufferSize);
    m_reopenDelay.setSingleShot(true);
    m_reopenDelay.setInterval(kReopenDelayMs);
    m_drainDeadline.setSingleShot(true);
    connect(&m_port, &QSerialPort::readyRead, this, &ComPort::rxChar);
    connect(&m_port, &QSerialPort::bytesWritten, this, &ComPort::bytesTaken);
    connect(&m_port, &QSerialPort::errorOccurred, this, &ComPort::reportError);
    connect(&m_reopenDelay, &QTimer::timeout, this, &ComPort::finishClosing);
    connect(&m_drainDeadline, &QTimer::timeout, this, [this] {
        if (m_port.bytesToWrite() > 0)
            reportStall();
    });
}

void ComPort::setPortName(const QString& name)
{
    finishClosingNow();
    m_portName = name;
    m_port.setPortName(name);
}

QString ComPort::portName() const
{
    return m_portName;
}

void ComPort::setBaudRate(qint32 baud)
{
    m_port.setBaudRate(baud);
}

void ComPort::setHardwareFlowControl()
{
    m_port.setFlowControl(QSerialPort::HardwareControl);
}

bool ComPort::isOpen() const
{
    return m_port.isOpen();
}

void ComPort::applyLineSettings()
{
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    // Devices without modem lines (a pseudo-terminal, some adapters) refuse DTR; that is
    // not a port error.
    const QSignalBlocker quiet(m_port);
    m_port.setDataTerminalReady(false);
    m_port.clearError();
}

void ComPort::open()
{
    finishClosingNow();
    if (m_port.isOpen())
        return;
    bool opened = false;
    QSerialPort::SerialPortError error = QSerialPort::NoError;
    {
        // The failure of an open is reported below, with its reason, not as a port error.
        const QSignalBlocker quiet(m_port);
        opened = m_port.open(QIODevice::ReadWrite);
        error = m_port.error();
    }
    if (!opened) {
        const QString message = m_port.errorString();
        m_port.clearError();
        emit exception(message);
        emit openFailed(DescribeOpenFailure(error, m_portName, message));
        return;
    }
    applyLineSettings();
    emit afterOpen();
}

void ComPort::close()
{
    if (!m_port.isOpen())
        return;
    forgetPendingWrites();
    m_port.close();
    m_reopenDelay.start();
}

// Someone needs the port again before the reopening delay is over: the closing ends now,
// so that its goodbye still comes first.
void ComPort::finishClosingNow()
{
    if (!m_reopenDelay.isActive())
        return;
    m_reopenDelay.stop();
    finishClosing();
}

void ComPort::finishClosing()
{
    bool reopened = false;
    QString whyNot;
    {
        const QSignalBlocker quiet(m_port); // a vanished device is not a port error here
        reopened = m_port.open(QIODevice::ReadWrite);
        whyNot = m_port.errorString();
        m_port.clearError();
    }
    if (!reopened) {
        emit deviceLost(whyNot);
        emit closed();
        return;
    }
    applyLineSettings();
    emit beforeClose();
    // What the goodbye wrote and the port did not take at once is lost with the port.
    if (m_port.bytesToWrite() > 0)
        reportStall();
    forgetPendingWrites();
    m_port.close();
    emit closed();
}

void ComPort::write(const QByteArray& bytes)
{
    if (!m_port.isOpen()) {
        emit exception(QStringLiteral("write on a closed port"));
        return;
    }
    if (m_port.write(bytes) != bytes.size())
        return; // errorOccurred has reported it
    handOverIfWritable();
    // Bytes written earlier and still waiting keep their own deadline: they go out first.
    if (m_port.bytesToWrite() > 0 && !m_drainDeadline.isActive())
        m_drainDeadline.start(writeTimeoutMs(bytes.size()));
}

// The bytes go to the system at once when the port can take some now, so that they are on
// their way when the write returns; otherwise they wait until it can. Handing them over to
// a port that can take nothing would fail as if the device were gone.
void ComPort::handOverIfWritable()
{
    pollfd port{m_port.handle(), POLLOUT, 0};
    if (::poll(&port, 1, 0) == 1 && (port.revents & POLLOUT) != 0)
        m_port.flush();
}

// The port took bytes: whatever still waits has a fresh time-out, and a stall is over.
void ComPort::bytesTaken()
{
    if (const qint64 waiting = m_port.bytesToWrite(); waiting > 0)
        m_drainDeadline.start(writeTimeoutMs(waiting));
    else
        m_drainDeadline.stop();
    if (std::exchange(m_writeStalled, false))
        emit writingResumed();
}

void ComPort::reportStall()
{
    m_writeStalled = true;
    emit exception(QStringLiteral("write time-out"));
    emit failed({PortProblemKind::WriteStalled, m_portName, {}, {}});
}

void ComPort::forgetPendingWrites()
{
    m_drainDeadline.stop();
    m_writeStalled = false;
}

QByteArray ComPort::read(qint64 maxCount)
{
    if (!m_port.isOpen()) {
        emit exception(QStringLiteral("read on a closed port"));
        return {};
    }
    return m_port.read(maxCount);
}

void ComPort::purge()
{
    if (!m_port.isOpen())
        return;
    m_port.clear(QSerialPort::AllDirections);
    m_drainDeadline.stop();
}

void ComPort::reportError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError)
        return;
    const QString message = m_port.errorString();
    m_port.clearError();
    if (m_closingLostDevice)
        return; // the same loss, reported again until the port is closed
    emit exception(message);
    if (MeansDeviceGone(error) && m_port.isOpen()) {
        // Closed once the port has finished reporting, never from inside its own report.
        m_closingLostDevice = true;
        QMetaObject::invokeMethod(
            this,
            [this, message] {
                forgetPendingWrites();
                m_port.close();
                m_closingLostDevice = false;
                emit deviceLost(message);
            },
            Qt::QueuedConnection);
        return;
    }
    // Asking something of a port that is not open is no fault of the port: why it is not
    // open has been said where the open failed or the device went.
    if (error != QSerialPort::NotOpenError)
        emit failed({PortProblemKind::Failed, m_portName, {}, message});
}

} // namespace dongle
