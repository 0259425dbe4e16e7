#pragma once
#include <QObject>
#include <QTimer>

namespace dongle {

class ComPort;

// The start-up check of the dongle on its open port: once the events already waiting have
// been handled, "AT"; a pause for the answer; both of the port's buffers emptied; "AT" again;
// another pause; then what arrived is read back. The pauses run on the event loop, so the
// thread goes on serving everything else meanwhile; reading the answer is the probe's own
// business, which whoever else listens to the port leaves alone while it runs.
class DongleProbe : public QObject {
    Q_OBJECT
public:
    static constexpr int kAnswerWaitMs = 200;
    static constexpr int kAnswerReadLength = 40;

    explicit DongleProbe(ComPort& port, QObject* parent = nullptr);

    bool isRunning() const { return m_next != Step::Idle; }
    // Nothing happens while a probe runs.
    void start();

signals:
    // The answer held "OK".
    void finished(bool answered);

private:
    enum class Step { Idle, FirstAt, SecondAt, ReadAnswer };
    void takeStep();

    ComPort& m_port;
    QTimer m_pause;
    Step m_next = Step::Idle;
};

} // namespace dongle
