#include "session/silence_watchdog.h"

#include "meter/report_interval.h"

namespace session {

SilenceWatchdog::SilenceWatchdog(QObject* parent) : SilenceWatchdog(std::make_unique<TimerAlarm>(), parent) {}

SilenceWatchdog::SilenceWatchdog(std::unique_ptr<Alarm> alarm, QObject* parent) :
    QObject(parent), m_alarm(std::move(alarm))
{
    m_alarm->onRing = [this] {
        m_silent = true;
        emit silenceBegan(silenceAfterMs());
    };
}

void SilenceWatchdog::setReportIntervalMs(int intervalMs)
{
    if (intervalMs == m_intervalMs)
        return;
    m_intervalMs = intervalMs;
    if (m_armed && !m_silent)
        restart();
}

void SilenceWatchdog::followIntervalCode(int intervalCode)
{
    if (const auto interval = meter::ReportIntervalOfCode(intervalCode))
        setReportIntervalMs(interval->milliseconds);
}

void SilenceWatchdog::setArmed(bool armed)
{
    if (armed == m_armed)
        return;
    m_armed = armed;
    m_silent = false;
    if (armed)
        restart();
    else
        m_alarm->cancel();
}

void SilenceWatchdog::frameArrived()
{
    if (!m_armed)
        return;
    if (m_silent) {
        m_silent = false;
        emit silenceEnded();
    }
    restart();
}

void SilenceWatchdog::restart()
{
    m_alarm->set(silenceAfterMs());
}

} // namespace session
