#pragma once
#include "session/alarm.h"

#include <algorithm>

// An alarm on a clock that moves only when told to.
class HandTurnedAlarm : public session::Alarm {
public:
    void set(int afterMs) override { m_remainingMs = afterMs; }
    void cancel() override { m_remainingMs = -1; }

    void advance(int ms)
    {
        if (m_remainingMs < 0)
            return;
        m_remainingMs = std::max(m_remainingMs - ms, 0);
        if (m_remainingMs == 0) {
            m_remainingMs = -1;
            ring();
        }
    }

private:
    int m_remainingMs = -1; // none pending
};
