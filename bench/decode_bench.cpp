// Decoding and formatting cost of one frame of each mode, including the per-frame lookup of
// the unit texts. The meter sends at most 320 frames/s, so a frame has about 3.1 ms.
#include "localisation/main_lexicons.h"
#include "meter/meter_frame.h"
#include "meter/rd_decoder.h"
#include "meter/rlcd_decoder.h"
#include "meter/u_decoder.h"
#include "meter/unit_texts.h"
#include <benchmark/benchmark.h>
#include <bit>
#include <cstdint>

namespace {

constexpr double kFastestFramesPerSecond = 320;

meter::TMeterFrame Frame(quint8 modeByte, float first, float second, float third, quint8 byte8, quint8 byte9,
                         quint8 byte10, quint8 byte11, quint8 byte14)
{
    meter::TMeterFrame frame;
    const float values[] = {first, second, third};
    for (std::size_t field = 0; field < 3; ++field) {
        const auto bits = std::bit_cast<std::uint32_t>(values[field]);
        for (std::size_t i = 0; i < 4; ++i)
            frame.bytes[4 * field + i] = quint8(bits >> (8 * i));
    }
    frame.bytes[8] = byte8; // the RLCD settings overlay the third float
    frame.bytes[9] = byte9;
    frame.bytes[10] = byte10;
    frame.bytes[11] = byte11;
    frame.bytes[14] = byte14;
    frame.bytes[15] = modeByte;
    frame.bytes[16] = 0x31;
    frame.bytes[17] = 0x0A;
    return frame;
}

void ReportBudget(benchmark::State& state)
{
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.SetLabel(QStringLiteral("budget %1 us/frame").arg(1e6 / kFastestFramesPerSecond).toStdString());
}

void BM_DecodeRlcdFrame(benchmark::State& state)
{
    const localisation::MainLexicons lexicons;
    // series capacitor at 1 kHz, C primary, D secondary, 0.5 V rms
    const auto frame = Frame(0x01, 100.f, -100.f, 0.f, 0x43, 0x32, 0x22, 0x01, 0);
    meter::TMeterSettings settings;
    for (auto _ : state) {
        const auto texts = meter::UnitTexts::From(lexicons);
        benchmark::DoNotOptimize(meter::DispatchFrame(frame));
        benchmark::DoNotOptimize(meter::DecodeRlcd(frame, settings, texts));
    }
    ReportBudget(state);
}
BENCHMARK(BM_DecodeRlcdFrame);

void BM_DecodeRdFrame(benchmark::State& state)
{
    const localisation::MainLexicons lexicons;
    const auto frame = Frame(0x02, 4700.f, 150.f, 5.5f, 0, 0, 0, 0, 0x12);
    for (auto _ : state) {
        const auto texts = meter::UnitTexts::From(lexicons);
        benchmark::DoNotOptimize(meter::DispatchFrame(frame));
        benchmark::DoNotOptimize(meter::DecodeRd(frame, texts));
    }
    ReportBudget(state);
}
BENCHMARK(BM_DecodeRdFrame);

void BM_DecodeUFrame(benchmark::State& state)
{
    const localisation::MainLexicons lexicons;
    const auto frame = Frame(0x03, 230.456f, 650.f, -1.5f, 0, 0, 0, 0, 0);
    for (auto _ : state) {
        const auto texts = meter::UnitTexts::From(lexicons);
        benchmark::DoNotOptimize(meter::DispatchFrame(frame));
        benchmark::DoNotOptimize(meter::DecodeU(frame, texts));
    }
    ReportBudget(state);
}
BENCHMARK(BM_DecodeUFrame);

} // namespace

BENCHMARK_MAIN();
