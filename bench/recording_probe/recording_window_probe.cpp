// The logger as the recording benchmark measures it from outside: the program's own start up
// to its shown main window, linked to the meter the benchmark simulates (RLC_DONGLE_PORT) by
// a click on the connect button, and with --record a click on Start, as a user starts
// recording. Then it says "ready" on standard output and runs until "report" comes on
// standard input, when it says how many readings it decoded and how many rows it logged,
// and ends.
#include "link/dongle_link.h"
#include "session/meter_session.h"
#include "shell/form1.h"
#include "shell/main_window_start.h"
#include "recording/measurement_log_model.h"
#include "session/recording_core.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QSocketNotifier>

#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {

constexpr int kLinkWithinMs = 30000;

bool waitUntil(const std::function<bool()>& condition)
{
    const QDeadlineTimer deadline(kLinkWithinMs);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, int(deadline.remainingTime()));
    return condition();
}

QPushButton* button(const TForm1& form, const char* name)
{
    return form.findChild<QPushButton*>(QString::fromLatin1(name));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const bool record = app.arguments().contains(QStringLiteral("--record"));
    const std::unique_ptr<TForm1> form = StartMainWindow();
    if (!form)
        return 1;
    QPushButton* connectButton = button(*form, "B2");
    QPushButton* startButton = button(*form, "SP1");
    if (!waitUntil([&] { return connectButton->isEnabled(); })) {
        std::fputs("the connect button never became clickable\n", stderr);
        return 1;
    }
    connectButton->click();
    if (!waitUntil([&] { return form->link().isMeterLinked(); })) {
        std::fputs("the window never linked to the meter; is RLC_DONGLE_PORT set?\n", stderr);
        return 1;
    }
    if (record)
        startButton->click();

    int readings = 0;
    QObject::connect(&form->session(), &session::MeterSession::rlcdDecoded, [&readings] { ++readings; });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        std::printf("%d readings, %d rows\n", readings, form->recordingCore().log().rowCount());
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}
