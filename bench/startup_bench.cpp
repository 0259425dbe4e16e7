// Start-up against an empty window: from process start to a shown window, for the logger
// and for an empty Qt Widgets window of the same size, each a cold process of its own,
// started in turns under a window server of the benchmark's own (Xvfb; the offscreen
// platform where there is none). Prints the medians, the spreads and their ratio, and the
// processor time each process spent, which other work on the machine does not stretch; it
// never fails on time. No dongle is present.
#include "bench/window_server.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr int kRuns = 9;
constexpr int kStartWaitMs = 20000;
const QString kLoggerProbe = QStringLiteral("logger_window_probe");
const QString kEmptyProbe = QStringLiteral("empty_window_probe");

struct Start {
    double shownMs = 0; // from starting the probe to its report that the window is shown
    double cpuMs = 0;   // user and system time of the whole process
};

double childrenCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

std::optional<Start> startToShown(const QString& probe, const QProcessEnvironment& environment)
{
    const double cpuBefore = childrenCpuMs();
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QCoreApplication::applicationDirPath());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    process.start(QDir(QCoreApplication::applicationDirPath()).filePath(probe), {});
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(kStartWaitMs))
            return std::nullopt;
    }
    const double shownMs = double(clock.nsecsElapsed()) / 1e6;
    process.waitForFinished(kStartWaitMs);
    if (process.readLine().trimmed() != "shown")
        return std::nullopt;
    return Start{shownMs, childrenCpuMs() - cpuBefore};
}

double median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

void report(const char* what, const std::vector<double>& samples)
{
    std::printf("%-36s median %7.1f ms   min %7.1f ms   max %7.1f ms   (%zu runs)\n", what, median(samples),
                *std::min_element(samples.begin(), samples.end()), *std::max_element(samples.begin(), samples.end()),
                samples.size());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dataHome;
    QTemporaryDir runtimeDir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
    environment.remove(QStringLiteral("RLC_DONGLE_PORT"));

    bench::WindowServer server;
    bench::UseWindowServerOrOffscreen(server, environment, "Cold starts");

    // One start of each first, so that both find the libraries in the page cache and the
    // logger finds its state file.
    for (const QString& probe : {kEmptyProbe, kLoggerProbe}) {
        if (!startToShown(probe, environment)) {
            std::fprintf(stderr, "%s did not show its window\n", qPrintable(probe));
            return 1;
        }
    }
    // In turns, so that a load that comes and goes falls on both alike.
    std::vector<double> empty, logger, emptyCpu, loggerCpu;
    for (int run = 0; run < kRuns; ++run) {
        const std::optional<Start> emptyStart = startToShown(kEmptyProbe, environment);
        const std::optional<Start> loggerStart = startToShown(kLoggerProbe, environment);
        if (!emptyStart || !loggerStart) {
            std::fprintf(stderr, "a probe did not show its window\n");
            return 1;
        }
        empty.push_back(emptyStart->shownMs);
        logger.push_back(loggerStart->shownMs);
        emptyCpu.push_back(emptyStart->cpuMs);
        loggerCpu.push_back(loggerStart->cpuMs);
    }
    report("empty window of the same size", empty);
    report("logger (no dongle)", logger);
    std::printf("start-up ratio, logger / empty window: %.2f (medians)\n", median(logger) / median(empty));
    report("processor time, empty window", emptyCpu);
    report("processor time, logger", loggerCpu);
    std::printf("processor time ratio, logger / empty window: %.2f (medians; the whole process, its end included)\n",
                median(loggerCpu) / median(emptyCpu));
    return 0;
}
