#pragma once
#include <QObject>
#include <QTimer>

#include <functional>

namespace session {

// A one-shot alarm: it rings once, the given time after it was set, unless it is set again
// or cancelled first. The programs keep real time; a test turns time on by hand, so that
// what a watch does after some seconds is checked without waiting for them.
class Alarm {
public:
    virtual ~Alarm() = default;
    // Replaces any alarm still pending.
    virtual void set(int afterMs) = 0;
    virtual void cancel() = 0;

    // Called when the alarm rings.
    std::function<void()> onRing;

protected:
    void ring() const
    {
        if (onRing)
            onRing();
    }
};

// The alarm on the event loop's real clock.
class TimerAlarm : public Alarm {
public:
    TimerAlarm()
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { ring(); });
    }

    void set(int afterMs) override { m_timer.start(afterMs); }
    void cancel() override { m_timer.stop(); }

private:
    QTimer m_timer;
};

} // namespace session
