#pragma once
#include "link/port_problem.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QTimer>

namespace dongle {

// The serial port the dongle presents. Errors of any operation never reach the caller:
// they are reported through exception(). Receive events arrive as rxChar() on the thread
// that owns the port (the user-interface thread). Nothing here waits on that thread: writes
// drain as the port takes them, and closing finishes on the event loop.
//
// Failures are also told apart for the user: an open that fails says why (openFailed), an
// error after which the open port is of no use any more (the device was pulled out) closes
// the port at once and says so once (deviceLost), since such a port would otherwise report
// a failed read over and over, and any other failure of the open port (a write the port
// does not take in time, an operation the system refuses) says what failed (failed).
class ComPort : public QObject {
    Q_OBJECT
public:
    static constexpr int kReceiveBufferSize = 4000;
    static constexpr int kWriteTimeoutPerByteMs = 100;
    static constexpr int kWriteTimeoutExtraMs = 300;
    static constexpr int kReopenDelayMs = 10;

    explicit ComPort(QObject* parent = nullptr);

    // A port that is closing says goodbye under its old name first.
    void setPortName(const QString& name);
    QString portName() const;
    void setBaudRate(qint32 baud);
    void setHardwareFlowControl();
    bool isOpen() const;

    // Opens with the current settings; afterOpen() follows a successful open. A port that
    // is closing finishes its closing first.
    void open();
    // Releases the port and, kReopenDelayMs later, tries to open it again: if that fails
    // the device is gone and the port stays closed, without beforeClose() but with
    // deviceLost(); otherwise beforeClose() runs on the reopened port, what it wrote goes
    // out as far as the port takes it at once, and the port is closed for good. closed()
    // follows either way. Meanwhile the port counts as closed.
    void close();
    // Every character goes out as one byte, at once as far as the port takes them; the rest
    // waits and drains as the port takes it. A port that takes none of them within the write
    // time-out (100 ms a byte plus 300 ms) has stalled: failed() says so, and
    // writingResumed() once bytes flow again.
    void write(const QByteArray& bytes);
    // What has arrived, at most maxCount characters, without waiting.
    QByteArray read(qint64 maxCount);
    // Drops what is pending in both directions.
    void purge();

signals:
    void afterOpen();
    void beforeClose();
    void closed();
    void rxChar();
    void exception(const QString& message);
    void openFailed(const dongle::PortProblem& problem);
    void deviceLost(const QString& message);
    void failed(const dongle::PortProblem& problem);
    void writingResumed();

private:
    void reportError(QSerialPort::SerialPortError error);
    void applyLineSettings();
    void finishClosing();
    void finishClosingNow();
    void handOverIfWritable();
    void bytesTaken();
    void reportStall();
    void forgetPendingWrites();

    QSerialPort m_port;
    QString m_portName; // as set: the serial port reports device paths shortened
    QTimer m_reopenDelay;
    QTimer m_drainDeadline; // runs while written bytes wait for the port to take them
    bool m_writeStalled = false;
    bool m_closingLostDevice = false;
};

} // namespace dongle
