#include "link/com_port.h"

#include <QThread>

namespace dongle {

ComPort::ComPort(QObject* parent) : QObject(parent)
{
    m_port.setReadBufferSize(kReceiveBufferSize);
    connect(&m_port, &QSerialPort::readyRead, this, &ComPort::rxChar);
    connect(&m_port, &QSerialPort::errorOccurred, this, &ComPort::reportError);
}

void ComPort::setPortName(const QString& name)
{
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
    m_port.close();
    QThread::msleep(10);
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
        return;
    }
    applyLineSettings();
    emit beforeClose();
    m_port.close();
}

void ComPort::write(const QByteArray& bytes)
{
    if (!m_port.isOpen()) {
        emit exception(QStringLiteral("write on a closed port"));
        return;
    }
    if (m_port.write(bytes) != bytes.size())
        return; // errorOccurred has reported it
    m_port.flush();
    const int timeoutMs = kWriteTimeoutPerByteMs * int(bytes.size()) + kWriteTimeoutExtraMs;
    if (m_port.bytesToWrite() > 0 && !m_port.waitForBytesWritten(timeoutMs) && m_port.bytesToWrite() > 0)
        emit exception(QStringLiteral("write time-out"));
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
    if (m_port.isOpen())
        m_port.clear(QSerialPort::AllDirections);
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
                m_port.close();
                m_closingLostDevice = false;
                emit deviceLost(message);
            },
            Qt::QueuedConnection);
    }
}

} // namespace dongle
