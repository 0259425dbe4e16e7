#pragma once
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

namespace bench {

// An X server (Xvfb) on a display number it picks itself, for as long as the benchmark
// runs, so that the window under measure is shown and painted as on a desktop.
class WindowServer {
public:
    WindowServer() = default;
    WindowServer(const WindowServer&) = delete;
    WindowServer& operator=(const WindowServer&) = delete;
    ~WindowServer();

    // False where Xvfb is missing or does not come up.
    bool start();
    const QString& display() const { return m_display; }

private:
    QProcess m_server;
    QString m_display;
};

// Points the environment at the server when it started, at Qt's offscreen platform
// otherwise, and says which on standard output after `what`.
void UseWindowServerOrOffscreen(WindowServer& server, QProcessEnvironment& environment, const char* what);

} // namespace bench
