// What keeping every reading costs the processor: readings stored and committed one by one
// in the local database (write-ahead log, one synchronised transaction per reading), as
// readings per second of one core, against the most the meter's line can bring, 320 frames
// a second. The goal is ten times that. Processor time, which waiting for the disk and other
// work on the machine do not stretch; wall time beside it for the disk. Then the whole of
// rlc-record, database, journal and CSV, against the simulated meter reporting as fast as
// the line allows, as processor time per reading. Prints its figures; never fails on time.
#include "forwarding_bench.h"
#include "sim/meter_simulator.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <sys/resource.h>
#include <time.h>

#include <cstdio>

namespace {

constexpr int kStoredReadings = 3000;
constexpr double kLineCeilingPerSecond = 320;
constexpr double kGoalTimesCeiling = 10;
constexpr int kRecordedReadings = 1000;
constexpr int kSimulatorIntervalMs = 4; // 250 a second, below the line's ceiling
constexpr int kRecorderWaitMs = 120000;

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double childrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The goal is the store's: the whole program's figure is set beside the line for a view of
// what else a reading costs.
enum class Goal { Set, NotSet };

void reportPerReading(const char* what, double cpuSeconds, double wallSeconds, int readings, Goal goal)
{
    const double perCpuSecond = readings / cpuSeconds;
    std::printf("%-44s %7.1f µs processor and %7.1f µs wall time a reading\n", what, cpuSeconds * 1e6 / readings,
                wallSeconds * 1e6 / readings);
    std::printf("%-44s %7.0f readings a processor second = %.1f × the line's %g a second", "", perCpuSecond,
                perCpuSecond / kLineCeilingPerSecond, kLineCeilingPerSecond);
    if (goal == Goal::Set)
        std::printf(" (goal %g ×)", kGoalTimesCeiling);
    std::printf("\n");
}

// Through the store itself, as the archive stores, with the reading also listed for a
// server or not.
void storeAndCommit(bool forwarding)
{
    QTemporaryDir folder;
    store::MeasurementStore localStore(folder.filePath(QStringLiteral("measurements.sqlite")), forwarding);
    RisingReadings readings;
    const QString recordingId = store::NewUuid();
    localStore.openRecording({recordingId,
                              QStringLiteral("bench 7"),
                              QStringLiteral("ann"),
                              QStringLiteral("24-117"),
                              QDateTime::currentDateTimeUtc(),
                              QStringLiteral("1.2.3"),
                              {}});
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = processCpuSeconds();
    for (int n = 0; n < kStoredReadings; ++n)
        localStore.storeReading(recordingId, readings.next(QStringLiteral("R4k7")));
    reportPerReading(forwarding ? "stored and committed, listed for a server" : "stored and committed",
                     processCpuSeconds() - cpuBefore, double(wall.nsecsElapsed()) / 1e9, kStoredReadings, Goal::Set);
}

// rlc-record as a bench runs it, in a process of its own.
bool recordWithTheProgram()
{
    QTemporaryDir folder;
    sim::MeterSimulator simulator(folder.filePath(QStringLiteral("dongle")));
    simulator.setIntervalOverrideMs(kSimulatorIntervalMs);
    QProcess recorder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.filePath(QStringLiteral("data")));
    environment.remove(QStringLiteral("RLC_DATABASE"));
    recorder.setProcessEnvironment(environment);
    recorder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const double cpuBefore = childrenCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    recorder.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("rlc-record")),
                   {QStringLiteral("--port"), simulator.stablePath(), QStringLiteral("--count"),
                    QString::number(kRecordedReadings), QStringLiteral("--csv"),
                    folder.filePath(QStringLiteral("r.csv"))});
    if (!QTest::qWaitFor([&] { return recorder.state() == QProcess::NotRunning; }, kRecorderWaitMs)
        || recorder.exitCode() != 0)
        return false;
    // Start-up and linking included: a small part of a thousand readings.
    reportPerReading("rlc-record --csv, database and journal", childrenCpuSeconds() - cpuBefore,
                     double(wall.nsecsElapsed()) / 1e9, kRecordedReadings, Goal::NotSet);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    storeAndCommit(false);
    storeAndCommit(true);
    if (!recordWithTheProgram()) {
        std::fprintf(stderr, "rlc-record did not record %d readings\n", kRecordedReadings);
        return 1;
    }
    return 0;
}
