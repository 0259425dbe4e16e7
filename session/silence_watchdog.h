#pragma once
#include "session/alarm.h"

#include <QObject>

#include <memory>

namespace session {

// Notices that the meter has gone quiet while it should be reporting: a dongle that keeps
// its port open while the radio link behind it is gone sends nothing and says nothing.
// While armed (linked and recording), a stretch of three report intervals plus a margin
// without any valid frame is silence, said once; the next frame ends it.
class SilenceWatchdog : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalsBeforeSilence = 3;
    static constexpr int kMarginMs = 1000;

    // On the event loop's real clock.
    explicit SilenceWatchdog(QObject* parent = nullptr);
    // On the clock of the given alarm.
    explicit SilenceWatchdog(std::unique_ptr<Alarm> alarm, QObject* parent = nullptr);

    // The meter's report interval; the watch starts over with it.
    void setReportIntervalMs(int intervalMs);
    // The interval of a settings record's code; a code that names none changes nothing.
    void followIntervalCode(int intervalCode);
    // Watching starts afresh when armed and stops when disarmed; disarming ends silence
    // without a word (the link or the recording went, which is said elsewhere).
    void setArmed(bool armed);
    // Any valid frame, whether or not it is shown.
    void frameArrived();

    bool isSilent() const { return m_silent; }
    int silenceAfterMs() const { return kIntervalsBeforeSilence * m_intervalMs + kMarginMs; }

signals:
    void silenceBegan(int silentForMs);
    void silenceEnded();

private:
    void restart();

    std::unique_ptr<Alarm> m_alarm;
    int m_intervalMs = 1000;
    bool m_armed = false;
    bool m_silent = false;
};

} // namespace session
