#include "bench/window_server.h"

#include <QStandardPaths>

#include <cstdio>

namespace bench {
namespace {

constexpr int kServerStartMs = 20000;

} // namespace

bool WindowServer::start()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        return false;
    // -displayfd: the server writes the display number it chose to our end of its output.
    m_server.start(xvfb,
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                    QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_server.waitForReadyRead(kServerStartMs))
        return false;
    m_display = u':' + QString::fromLatin1(m_server.readLine().trimmed());
    return true;
}

WindowServer::~WindowServer()
{
    m_server.terminate();
    m_server.waitForFinished();
}

void UseWindowServerOrOffscreen(WindowServer& server, QProcessEnvironment& environment, const char* what)
{
    if (server.start()) {
        environment.insert(QStringLiteral("DISPLAY"), server.display());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        std::printf("%s under Xvfb on %s\n", what, qPrintable(server.display()));
    } else {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        std::printf("Xvfb could not be started: %s on the offscreen platform\n", what);
    }
}

} // namespace bench
