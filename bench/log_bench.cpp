// Appends 100000 readings to the measurement log, the most a recording can hold, and
// reports the time per row and the process's peak memory.
#include "recording/append_log_row.h"
#include "sample_reading.h"
#include "recording/measurement_log_model.h"
#include "bench/peak_memory.h"

#include <benchmark/benchmark.h>

#include <chrono>

using namespace recording;

namespace {

constexpr int Rows = MaxStartPosition;

void AppendHundredThousandRows(benchmark::State& state)
{
    std::chrono::duration<double, std::micro> appending{0};
    for (auto _ : state) {
        MeasurementLogModel log;
        log.ResetLog(16);
        LogRowInput in = SampleReading();
        const auto start = std::chrono::steady_clock::now();
        for (int row = 0; row < Rows; ++row)
            in.startPosition = AppendLogRow(log, in).startPosition;
        appending += std::chrono::steady_clock::now() - start;
        benchmark::DoNotOptimize(log.gridRowCount());
    }
    state.counters["us_per_row"] = appending.count() / (double(state.iterations()) * Rows);
    state.counters["peak_MB"] = bench::PeakResidentMegabytes();
}

} // namespace

BENCHMARK(AppendHundredThousandRows)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
