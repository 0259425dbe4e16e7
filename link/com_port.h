#pragma once
#include "link/port_problem.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>

namespace dongle {

// The serial port the dongle presents. Errors of any operation never reach the caller:
// they are reported through exception(). Receive events arrive as rxChar() on the thread
// that owns the port (the user-interface thread).
//
// Two kinds of failure are also told apart for the user: an open that fails says why
// (openFailed), and an error after which the open port is of no use any more (the device
// was pulled out) closes the port at once and says so once (deviceLost): such a port
// would otherwise report a failed read over and over.
class ComPort : public QObject {
    Q_OBJECT
public:
    static constexpr int kReceiveBufferSize = 4000;
    static constexpr int kWriteTimeoutPerByteMs = 100;
    static constexpr int kWriteTimeoutExtraMs = 300;

    explicit ComPort(QObject* parent = nullptr);

    void setPortName(const QString& name);
    QString portName() const;
    void setBaudRate(qint32 baud);
    void setHardwareFlowControl();
    bool isOpen() const;

    // Opens with the current settings; afterOpen() follows a successful open.
    void open();
    // Releases the port, waits 10 ms and tries to open it again: if that fails the device
    // is gone and the port counts as closed at once, without beforeClose() but with
    // deviceLost(); otherwise beforeClose() runs on the reopened port, which is then closed
    // for good.
    void close();
    // Every character goes out as one byte; the call waits until the bytes are handed to
    // the port or the write time-out ends.
    void write(const QByteArray& bytes);
    // What has arrived, at most maxCount characters, without waiting.
    QByteArray read(qint64 maxCount);
    // Drops what is pending in both directions.
    void purge();

signals:
    void afterOpen();
    void beforeClose();
    void rxChar();
    void exception(const QString& message);
    void openFailed(const dongle::PortProblem& problem);
    void deviceLost(const QString& message);

private:
    void reportError(QSerialPort::SerialPortError error);
    void applyLineSettings();

    QSerialPort m_port;
    QString m_portName; // as set: the serial port reports device paths shortened
    bool m_closingLostDevice = false;
};

} // namespace dongle
