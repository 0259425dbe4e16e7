#include "link/dongle_probe.h"

#include "link/com_port.h"

namespace dongle {

DongleProbe::DongleProbe(ComPort& port, QObject* parent) : QObject(parent), m_port(port)
{
    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &DongleProbe::takeStep);
}

void DongleProbe::start()
{
    if (isRunning())
        return;
    m_next = Step::FirstAt;
    m_pause.start(0);
}

void DongleProbe::takeStep()
{
    switch (m_next) {
    case Step::Idle: return;
    case Step::FirstAt:
        m_port.write("AT");
        m_next = Step::SecondAt;
        m_pause.start(kAnswerWaitMs);
        return;
    case Step::SecondAt:
        m_port.purge();
        m_port.write("AT");
        m_next = Step::ReadAnswer;
        m_pause.start(kAnswerWaitMs);
        return;
    case Step::ReadAnswer: {
        const QByteArray answer = m_port.read(kAnswerReadLength);
        m_next = Step::Idle;
        emit finished(answer.contains("OK"));
        return;
    }
    }
}

} // namespace dongle
