// Exports a full log of 100000 rows to an .xlsx workbook and reports the time and the
// process's peak memory.
#include "recording/append_log_row.h"
#include "sample_reading.h"
#include "recording/log_export.h"
#include "recording/measurement_log_model.h"
#include "bench/peak_memory.h"
#include "recording/xlsx_target.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace recording;

namespace {

constexpr int Rows = MaxStartPosition;

void fillLog(MeasurementLogModel& log)
{
    log.ResetLog(16);
    log.setDisplayTexts(SampleDisplayTexts());
    for (int column = 0; column < MeasurementLogModel::ColumnCount; ++column)
        log.setHeaderText(column, QStringLiteral("Column %1").arg(column));
    LogRowInput in = SampleReading();
    for (int row = 0; row < Rows; ++row) {
        in.verdict = row % 4;
        in.primaryDeviation = row * 0.01;
        in.startPosition = AppendLogRow(log, in).startPosition;
    }
}

void ExportHundredThousandRows(benchmark::State& state)
{
    MeasurementLogModel log;
    fillLog(log);
    const double peakBeforeExport = bench::PeakResidentMegabytes();
    QTemporaryDir dir;
    for (auto _ : state) {
        XlsxTarget target(dir.filePath("log.xlsx"));
        ExportLog(log, Rows + 1, target);
    }
    state.counters["peak_MB_log_only"] = peakBeforeExport;
    state.counters["peak_MB"] = bench::PeakResidentMegabytes();
}

} // namespace

BENCHMARK(ExportHundredThousandRows)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
