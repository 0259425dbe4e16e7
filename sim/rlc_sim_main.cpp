// Runs the simulated dongle and meter until interrupted or terminated. The first line of
// output is the stable link to use as the serial port (e.g. through RLC_DONGLE_PORT); it
// names the simulator's pseudo-terminal while the dongle is plugged in. Standard input
// takes commands that unplug and replug the dongle and change how frames are delivered
// (see console_commands.h).
#include "sim/console_commands.h"
#include "sim/demo_mix.h"
#include "sim/meter_simulator.h"
#include "platform/termination_signals.h"
#include "rlc_version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <optional>
#include <system_error>
#include <unistd.h>

namespace {

std::optional<sim::ComponentKind> componentFromName(const QString& name)
{
    if (name == "r")
        return sim::ComponentKind::Resistor;
    if (name == "c")
        return sim::ComponentKind::Capacitor;
    if (name == "l")
        return sim::ComponentKind::Inductor;
    return std::nullopt;
}

std::optional<sim::MeterMode> modeFromName(const QString& name)
{
    if (name == "rlcd")
        return sim::MeterMode::Rlcd;
    if (name == "rd")
        return sim::MeterMode::Rd;
    if (name == "u")
        return sim::MeterMode::U;
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
try {
    const platform::TerminationSignals terminationSignals;
    QCoreApplication app(argc, argv);
    QSocketNotifier termination(terminationSignals.descriptor(), QSocketNotifier::Read);
    QObject::connect(&termination, &QSocketNotifier::activated, &app, &QCoreApplication::quit);

    QCoreApplication::setApplicationVersion(QStringLiteral(RLC_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription("Simulated RLC meter behind its Bluetooth dongle, on a pseudo-terminal.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption component("component", "Part on the test leads: r, c or l.", "kind", "r");
    const QCommandLineOption value("value", "Nominal value in ohm, farad or henry.", "number");
    const QCommandLineOption mode("mode", "Starting mode: rlcd, rd or u.", "mode", "rlcd");
    const QCommandLineOption interval("interval", "Report interval in ms instead of the meter's.", "ms", "0");
    const QCommandLineOption demo("demo", "Cycle through typical parts with occasional off-value ones.");
    const QCommandLineOption link("link", "Keep the link to the current device here (default: in a temporary folder).",
                                  "path");
    parser.addOptions({component, value, mode, interval, demo, link});
    parser.process(app);

    const auto kind = componentFromName(parser.value(component));
    const auto startMode = modeFromName(parser.value(mode));
    if (!kind || !startMode)
        parser.showHelp(2);

    sim::MeterSimulator simulator(parser.value(link));
    sim::Component part = sim::defaultComponent(*kind);
    if (parser.isSet(value))
        part.value = parser.value(value).toDouble();
    simulator.meter().setComponent(part);
    simulator.meter().setMode(*startMode);
    simulator.meter().setNoise(0.002, 1);
    simulator.setIntervalOverrideMs(parser.value(interval).toInt());
    if (parser.isSet(demo))
        new sim::DemoMix(simulator);
    new sim::ConsoleCommands(simulator, STDIN_FILENO);

    std::printf("%s\n", qPrintable(simulator.stablePath()));
    std::fflush(stdout);
    return app.exec();
} catch (const std::system_error& error) {
    std::fprintf(stderr, "rlc-sim: %s\n", error.what());
    return 1;
}
