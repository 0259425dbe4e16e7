#pragma once
// What both start-up probes do once their window is on its way: wait until the window
// system has exposed it (Qt has painted it by then), say so on standard output for the
// benchmark that started the probe, and end.
#include <QTest>
#include <QWidget>
#include <cstdio>

inline int reportWhenShown(QWidget& window)
{
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fputs("the window was never shown\n", stderr);
        return 1;
    }
    std::puts("shown");
    std::fflush(stdout);
    return 0;
}
