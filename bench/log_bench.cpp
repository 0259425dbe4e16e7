// Appends 100000 readings to the measurement log, the most a recording can hold, and
// reports the time per row and the process's peak memory.
#include "append_log_row.h"
#include "measurement_log_model.h"
#include "peak_memory.h"

#include <benchmark/benchmark.h>

#include <chrono>

using namespace recording;

namespace {

constexpr int Rows = MaxStartPosition;

LogRowInput liveReading()
{
    LogRowInput in;
    in.timestamp = QDateTime::currentDateTime();
    in.primaryLetter = "R";
    in.primaryValue = "1.0123 kΩ";
    in.secondaryLetter = "Q";
    in.secondaryValue = "56.00";
    in.seriesText = "S";
    in.parallelText = "P";
    in.freqIndex = 3;
    in.freqText = "1kHz";
    in.levelText = "1.0Vrms";
    in.verdict = 1;
    in.primaryDeviation = 1.2345;
    in.secondaryDeviation = 12345.6;
    in.primaryToleranceOn = in.secondaryToleranceOn = true;
    in.rejectMark = "+";
    in.passMark = "-";
    return in;
}

void AppendHundredThousandRows(benchmark::State& state)
{
    std::chrono::duration<double, std::micro> appending{0};
    for (auto _ : state) {
        MeasurementLogModel log;
        log.ResetLog(16);
        LogRowInput in = liveReading();
        const auto start = std::chrono::steady_clock::now();
        for (int row = 0; row < Rows; ++row)
            in.startPosition = AppendLogRow(log, in).startPosition;
        appending += std::chrono::steady_clock::now() - start;
        benchmark::DoNotOptimize(log.gridRowCount());
    }
    state.counters["us_per_row"] = appending.count() / (double(state.iterations()) * Rows);
    state.counters["peak_MB"] = PeakResidentMegabytes();
}

} // namespace

BENCHMARK(AppendHundredThousandRows)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
