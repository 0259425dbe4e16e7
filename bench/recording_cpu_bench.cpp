// The window's processor time while the meter reports two readings a second: once only
// showing them, once recording them. Measured from outside the window's process, as its
// user and system time in /proc/<pid>/stat over a fixed stretch, so that nothing in the
// window's process is measuring. The window runs under Xvfb (the offscreen platform where
// there is none) with the accessibility bridge off, and the meter is simulated in this
// process, on a pseudo-terminal. Prints each run, the medians with their spread as percent
// of one core, and the ratio of recording to showing; it never fails on time.
//
// Usage: recording_cpu_bench [seconds measured per run, 60] [rounds, 3]
#include "bench/window_server.h"
#include "sim/meter_simulator.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

namespace {

constexpr int kReportIntervalMs = 500; // two readings a second
constexpr int kDefaultSeconds = 60;
constexpr int kDefaultRounds = 3;
constexpr int kStartWithinMs = 60000;
// After the window said it is ready: the first rows, the journal opened, caches warm.
constexpr int kSettleMs = 5000;
constexpr double kPercent = 100;
const QString kProbe = QStringLiteral("recording_window_probe");

enum class Activity { Showing, Recording };

const char* nameOf(Activity activity)
{
    return activity == Activity::Recording ? "recording" : "showing only";
}

// Runs this process's event loop, which the simulated meter needs, until the condition
// holds or the time is up.
bool runUntil(const std::function<bool()>& condition, int withinMs)
{
    const QDeadlineTimer deadline(withinMs);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, int(deadline.remainingTime()));
    return condition();
}

void runFor(int ms)
{
    runUntil([] { return false; }, ms);
}

// User and system time the process has spent so far, in clock ticks (fields 14 and 15 of
// /proc/<pid>/stat, after the command name, which may hold blanks, in parentheses).
std::optional<long long> processorTicks(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    constexpr int kUserTime = 11; // counted from field 3, the state
    constexpr int kSystemTime = 12;
    if (fields.size() <= kSystemTime)
        return std::nullopt;
    return fields[kUserTime].toLongLong() + fields[kSystemTime].toLongLong();
}

struct Run {
    double percentOfCore = 0;
    QByteArray probeReport;
};

std::optional<Run> measure(Activity activity, int seconds, const QProcessEnvironment& environment)
{
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.setWorkingDirectory(QCoreApplication::applicationDirPath());
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(QDir(QCoreApplication::applicationDirPath()).filePath(kProbe),
                activity == Activity::Recording ? QStringList{QStringLiteral("--record")} : QStringList{});
    const auto ended = [&probe] { return probe.state() == QProcess::NotRunning; };
    if (!runUntil([&] { return probe.canReadLine() || ended(); }, kStartWithinMs)
        || probe.readLine().trimmed() != "ready") {
        std::fprintf(stderr, "%s did not get ready\n", qPrintable(kProbe));
        probe.kill();
        probe.waitForFinished();
        return std::nullopt;
    }
    runFor(kSettleMs);

    const std::optional<long long> ticksBefore = processorTicks(probe.processId());
    QElapsedTimer clock;
    clock.start();
    runFor(seconds * 1000);
    const std::optional<long long> ticksAfter = processorTicks(probe.processId());
    const double elapsedSeconds = double(clock.nsecsElapsed()) / 1e9;

    probe.write("report\n");
    const bool reported = runUntil([&] { return probe.canReadLine() || ended(); }, kStartWithinMs);
    Run run;
    run.probeReport = reported ? probe.readLine().trimmed() : QByteArray("no report");
    if (!runUntil(ended, kStartWithinMs)) {
        probe.kill();
        probe.waitForFinished();
    }
    if (!ticksBefore || !ticksAfter)
        return std::nullopt;
    const double processorSeconds = double(*ticksAfter - *ticksBefore) / double(sysconf(_SC_CLK_TCK));
    run.percentOfCore = processorSeconds / elapsedSeconds * kPercent;
    return run;
}

double median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

void report(const char* what, const std::vector<double>& samples)
{
    std::printf("%-24s median %.3f %% of a core   min %.3f %%   max %.3f %%   (%zu runs)\n", what, median(samples),
                *std::min_element(samples.begin(), samples.end()), *std::max_element(samples.begin(), samples.end()),
                samples.size());
}

int argumentOr(int argc, char** argv, int index, int fallback)
{
    return argc > index && std::atoi(argv[index]) > 0 ? std::atoi(argv[index]) : fallback;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = argumentOr(argc, argv, 1, kDefaultSeconds);
    const int rounds = argumentOr(argc, argv, 2, kDefaultRounds);

    sim::MeterSimulator simulator;
    simulator.setIntervalOverrideMs(kReportIntervalMs);

    QTemporaryDir dataHome;
    QTemporaryDir runtimeDir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
    environment.insert(QStringLiteral("RLC_DONGLE_PORT"), simulator.stablePath());
    // No accessibility bridge: without a session bus it would look for one at every start,
    // and with one it would follow every change of the window.
    environment.insert(QStringLiteral("QT_ACCESSIBILITY"), QStringLiteral("0"));
    environment.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    environment.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
    bench::WindowServer server;
    bench::UseWindowServerOrOffscreen(server, environment, "The window");
    std::printf("%d readings a second, %d s measured per run, %d rounds of showing and recording\n",
                1000 / kReportIntervalMs, seconds, rounds);

    // In turns, so that a load that comes and goes falls on both alike.
    std::vector<double> showing, recording, ratios;
    for (int round = 0; round < rounds; ++round) {
        double percents[2] = {};
        for (const Activity activity : {Activity::Showing, Activity::Recording}) {
            const std::optional<Run> run = measure(activity, seconds, environment);
            if (!run)
                return 1;
            std::printf("round %d, %-13s %.3f %% of a core   (%s)\n", round + 1, nameOf(activity), run->percentOfCore,
                        run->probeReport.constData());
            std::fflush(stdout);
            percents[activity == Activity::Recording ? 1 : 0] = run->percentOfCore;
        }
        showing.push_back(percents[0]);
        recording.push_back(percents[1]);
        ratios.push_back(percents[1] / percents[0]);
    }
    report(nameOf(Activity::Showing), showing);
    report(nameOf(Activity::Recording), recording);
    std::printf("ratio, recording / showing only: %.2f (of the medians); per round min %.2f, max %.2f\n",
                median(recording) / median(showing), *std::min_element(ratios.begin(), ratios.end()),
                *std::max_element(ratios.begin(), ratios.end()));
    return 0;
}
