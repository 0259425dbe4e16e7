// What the dongle stream reader costs per frame, for frames read the ways a serial line
// delivers them, beside what the line itself allows: 57600 baud at 10 bits per byte (start,
// 8 data, stop) carries 320 frames of 18 bytes a second, one every 3125 us. "line/reader"
// is how many times over the reader could keep up with a line at full speed.
#include "link/dongle_stream_reader.h"
#include "sim/frame_encoder.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <benchmark/benchmark.h>
#include <ctime>
#include <functional>

namespace {

constexpr double kBaud = 57600;
constexpr double kBitsPerByte = 10;
constexpr double kLineFramesPerSecond = kBaud / kBitsPerByte / dongle::kFrameLength;
constexpr double kLineSecondsPerFrame = 1 / kLineFramesPerSecond;
constexpr double kMicrosecondsPerSecond = 1e6;

constexpr int kFramesPerRound = 64;
constexpr int kSplitOffset = 7;
const QByteArray kStrayBytes("\x31\x0A\xFF", 3);

QByteArray sampleFrame()
{
    return sim::encodeRlcdFrame({1000.5, -15.9}, sim::MeterSettings{}, true);
}

// kFramesPerRound frames, each arriving in the reads the function makes of it.
QList<QByteArray> framesReadAs(const std::function<QList<QByteArray>(const QByteArray& frame)>& readsOfOneFrame)
{
    QList<QByteArray> reads;
    for (int i = 0; i < kFramesPerRound; ++i)
        reads += readsOfOneFrame(sampleFrame());
    return reads;
}

// Processor time of this thread, as the CPU column counts it: a busy machine does not
// make the reader look slower.
double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void feedAndReport(benchmark::State& state, const QList<QByteArray>& reads)
{
    dongle::DongleStreamReader reader;
    const double start = threadCpuSeconds();
    for (auto _ : state) {
        for (const QByteArray& read : reads)
            benchmark::DoNotOptimize(reader.feed(read));
    }
    const double secondsPerFrame = (threadCpuSeconds() - start) / (double(state.iterations()) * kFramesPerRound);
    state.counters["reader_us/frame"] = secondsPerFrame * kMicrosecondsPerSecond;
    state.counters["line/reader"] = kLineSecondsPerFrame / secondsPerFrame;
    state.SetLabel(QStringLiteral("line: %1 frames/s, %2 us/frame")
                       .arg(kLineFramesPerSecond)
                       .arg(kLineSecondsPerFrame * kMicrosecondsPerSecond)
                       .toStdString());
}

void BM_OneFramePerRead(benchmark::State& state)
{
    feedAndReport(state, framesReadAs([](const QByteArray& frame) { return QList<QByteArray>{frame}; }));
}
BENCHMARK(BM_OneFramePerRead);

void BM_TwoFramesPerRead(benchmark::State& state)
{
    QList<QByteArray> reads;
    for (int i = 0; i < kFramesPerRound; i += 2)
        reads.append(sampleFrame() + sampleFrame());
    feedAndReport(state, reads);
}
BENCHMARK(BM_TwoFramesPerRead);

void BM_FrameSplitOverTwoReads(benchmark::State& state)
{
    feedAndReport(state, framesReadAs([](const QByteArray& frame) {
                      return QList<QByteArray>{frame.left(kSplitOffset), frame.mid(kSplitOffset)};
                  }));
}
BENCHMARK(BM_FrameSplitOverTwoReads);

void BM_StrayBytesBeforeEachFrame(benchmark::State& state)
{
    feedAndReport(state, framesReadAs([](const QByteArray& frame) { return QList<QByteArray>{kStrayBytes + frame}; }));
}
BENCHMARK(BM_StrayBytesBeforeEachFrame);

} // namespace

BENCHMARK_MAIN();
