#pragma once
// What both start-up probes do once their window is on its way: wait until the window
// system has exposed it (Qt has painted it by then), say so on standard output for the
// benchmark that started the probe, and end. The wait sleeps until events come rather than
// polling on a fixed beat, so that no probe is charged for the rest of a beat.
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

inline int reportWhenShown(QWidget& window)
{
    constexpr int kShowWithinMs = 20000;
    bool timedOut = false;
    QTimer::singleShot(kShowWithinMs, [&timedOut] { timedOut = true; });
    const auto exposed = [&window] { return window.windowHandle() && window.windowHandle()->isExposed(); };
    while (!exposed() && !timedOut)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (!exposed()) {
        std::fputs("the window was never shown\n", stderr);
        return 1;
    }
    std::puts("shown");
    std::fflush(stdout);
    return 0;
}
