// Exports a full log of 100000 rows to an .xlsx workbook and sets the time beside two
// references that write the same cells: a plain loop over libxlsxwriter in constant-memory
// mode (the floor: the library the export writes with) and openpyxl's write-only mode, where
// python3 has it. Exports and plain loops take turns; the figures are the processor time per
// workbook, which other work on the machine does not stretch, and their medians' ratios. Also
// prints the process's peak memory. It never fails on time.
#include "bench/export_references/bench_log_rows.h"
#include "bench/export_references/plain_xlsxwriter_loop.h"
#include "bench/peak_memory.h"
#include "recording/append_log_row.h"
#include "recording/log_export.h"
#include "recording/log_formats.h"
#include "recording/measurement_log_model.h"
#include "recording/xlsx_target.h"
#include "sample_reading.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>
#include <vector>

using namespace recording;

namespace {

constexpr int kRounds = 5;
constexpr int kOpenpyxlRuns = 1; // ten seconds and more each
constexpr int kScriptWaitMs = 600000;

void fillLog(MeasurementLogModel& log)
{
    log.ResetLog(16);
    log.setDisplayTexts(SampleDisplayTexts());
    for (int column = 0; column < MeasurementLogModel::ColumnCount; ++column)
        log.setHeaderText(column, QStringLiteral("Column %1").arg(column));
    LogRowInput in = SampleReading();
    for (int reading = 0; reading < bench::kExportedLogRows; ++reading) {
        in.verdict = bench::rejectedAt(reading) ? VerdictPrimaryOut : VerdictPass;
        in.primaryDeviation = bench::primaryDeviationAt(reading);
        in.startPosition = AppendLogRow(log, in).startPosition;
    }
}

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double childrenCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double cpuMsOf(const std::function<void()>& work)
{
    const double before = processCpuMs();
    work();
    return processCpuMs() - before;
}

// The interpreter that has openpyxl: the system's first, then whichever python3 is found.
std::optional<QString> pythonWithOpenpyxl()
{
    for (const QString& python : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        QProcess probe;
        probe.start(python, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
        if (probe.waitForFinished() && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0)
            return python;
    }
    return std::nullopt;
}

// Processor time of the script's whole process, interpreter start included.
std::optional<double> openpyxlCpuMs(const QString& python, const QString& path)
{
    const double before = childrenCpuMs();
    QProcess script;
    script.setProcessChannelMode(QProcess::ForwardedChannels);
    script.start(python,
                 {QStringLiteral(RLC_BENCH_SOURCE_DIR "/export_references/openpyxl_export.py"), path,
                  QString::number(bench::kExportedLogRows)});
    if (!script.waitForFinished(kScriptWaitMs) || script.exitStatus() != QProcess::NormalExit || script.exitCode() != 0)
        return std::nullopt;
    return childrenCpuMs() - before;
}

double median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

void report(const char* what, const std::vector<double>& samples)
{
    std::printf("%-44s median %8.1f ms   min %8.1f ms   max %8.1f ms   (%zu runs)\n", what, median(samples),
                *std::min_element(samples.begin(), samples.end()), *std::max_element(samples.begin(), samples.end()),
                samples.size());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    MeasurementLogModel log;
    fillLog(log);
    const double peakBeforeExport = bench::PeakResidentMegabytes();
    QTemporaryDir dir;
    const QString ours = dir.filePath(QStringLiteral("ours.xlsx"));
    const QByteArray plain = dir.filePath(QStringLiteral("plain.xlsx")).toLocal8Bit();
    // The numbers the log shows, made before any clock runs: the plain loop knows its cells.
    std::vector<double> primaryDeviations;
    for (int reading = 0; reading < bench::kExportedLogRows; ++reading)
        primaryDeviations.push_back(DeviationAsShown(bench::primaryDeviationAt(reading)).value_or(0));
    const double secondaryDeviation = DeviationAsShown(SampleReading().secondaryDeviation).value_or(0);

    std::vector<double> exportMs, floorMs;
    for (int round = 0; round < kRounds; ++round) {
        exportMs.push_back(cpuMsOf([&] {
            XlsxTarget target(ours);
            ExportLog(log, bench::kExportedLogRows + 1, target);
        }));
        floorMs.push_back(cpuMsOf([&] {
            if (!bench::WritePlainWorkbook(plain.constData(), primaryDeviations, secondaryDeviation))
                std::fprintf(stderr, "the plain loop could not write its workbook\n");
        }));
    }
    std::printf("Processor time per workbook of %d rows x %d cells\n", bench::kExportedLogRows,
                MeasurementLogModel::ColumnCount);
    report("export of the log (ours)", exportMs);
    report("plain loop over libxlsxwriter (the floor)", floorMs);
    std::printf("export / plain libxlsxwriter loop: %.2f (medians)\n", median(exportMs) / median(floorMs));

    if (const std::optional<QString> python = pythonWithOpenpyxl()) {
        std::vector<double> openpyxlMs;
        for (int run = 0; run < kOpenpyxlRuns; ++run) {
            if (const std::optional<double> ms = openpyxlCpuMs(*python, dir.filePath(QStringLiteral("openpyxl.xlsx"))))
                openpyxlMs.push_back(*ms);
        }
        if (openpyxlMs.empty()) {
            std::printf("openpyxl: the script failed, no ratio\n");
        } else {
            report("openpyxl write-only (whole process)", openpyxlMs);
            std::printf("openpyxl / export: %.1f (the export is that many times faster)\n",
                        median(openpyxlMs) / median(exportMs));
        }
    } else {
        std::printf("openpyxl: no python3 here has it (Debian: python3-openpyxl), so no ratio to it\n");
    }
    std::printf("peak memory: %.1f MB with the log alone, %.1f MB after the exports\n", peakBeforeExport,
                bench::PeakResidentMegabytes());
    return 0;
}
