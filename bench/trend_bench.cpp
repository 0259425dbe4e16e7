// Feeds 100,000 readings to the trend window, the most a recording can hold, and reports
// the time per reading and the time of one redraw and one repaint at that size.
//
// `trend_bench --demo [seconds]` instead shows the window on the real display during a
// simulated recording with a tolerance band and rejects, for looking at it.
#include "ui/trend/trend_chart_window.h"

#include <QApplication>
#include <QChartView>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <random>

using namespace trend;

namespace {

constexpr int Readings = 100'000;
const Reference CapacitorReference{100e-9, 95e-9, 105e-9};

// A capacitor sorting run: slow drift, noise and now and then a part far off its value.
class SimulatedRecording {
public:
    struct Reading {
        QDateTime time;
        double value;
        bool rejected;
    };

    Reading next()
    {
        const double outlier = m_index % 37 == 17 ? (m_index % 2 ? 0.09 : -0.075) : 0;
        const double value = 100e-9 * (1 + 0.015 * std::sin(m_index / 40.0) + m_noise(m_random) + outlier);
        const bool rejected = value < *CapacitorReference.lower || value > *CapacitorReference.upper;
        return {m_start.addMSecs(qint64(m_index++) * 500), value, rejected};
    }

private:
    QDateTime m_start = QDateTime::currentDateTime();
    int m_index = 0;
    std::mt19937 m_random{11};
    std::normal_distribution<double> m_noise{0, 0.01};
};

std::vector<SimulatedRecording::Reading> simulate(int count)
{
    SimulatedRecording recording;
    std::vector<SimulatedRecording::Reading> readings(static_cast<std::size_t>(count));
    for (SimulatedRecording::Reading& r : readings)
        r = recording.next();
    return readings;
}

void record(TrendChartWindow& window, const std::vector<SimulatedRecording::Reading>& readings)
{
    for (const SimulatedRecording::Reading& r : readings)
        window.addReading(r.time, r.value, r.rejected);
}

void showFor(TrendChartWindow& window)
{
    window.setQuantity("C", "F");
    window.setReference(CapacitorReference);
    window.resize(960, 600);
    window.show();
}

void AddHundredThousandReadings(benchmark::State& state)
{
    std::chrono::duration<double, std::micro> adding{0};
    for (auto _ : state) {
        TrendChartWindow window;
        showFor(window);
        const std::vector<SimulatedRecording::Reading> readings = simulate(Readings);
        const auto start = std::chrono::steady_clock::now();
        record(window, readings);
        adding += std::chrono::steady_clock::now() - start;
    }
    state.counters["us_per_point"] = adding.count() / (double(state.iterations()) * Readings);
}

void RedrawWithHundredThousandPoints(benchmark::State& state)
{
    TrendChartWindow window;
    showFor(window);
    record(window, simulate(Readings));
    QApplication::processEvents();
    auto* view = window.findChild<QChartView*>("TrendChartView");
    std::chrono::duration<double, std::milli> redrawing{0}, painting{0};
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        window.redraw();
        const auto drawn = std::chrono::steady_clock::now();
        // The chart lays out its items in posted events; then the view paints them.
        QApplication::processEvents();
        view->viewport()->repaint();
        painting += std::chrono::steady_clock::now() - drawn;
        redrawing += drawn - start;
    }
    state.counters["redraw_ms"] = redrawing.count() / double(state.iterations());
    state.counters["paint_ms"] = painting.count() / double(state.iterations());
}

int runDemo(int seconds)
{
    TrendChartWindow window;
    showFor(window);
    SimulatedRecording recording;
    QTimer readings;
    QObject::connect(&readings, &QTimer::timeout, [&] { record(window, {recording.next()}); });
    readings.start(15);
    QTimer::singleShot(seconds * 1000, qApp, &QApplication::quit);
    return QApplication::exec();
}

} // namespace

BENCHMARK(AddHundredThousandReadings)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RedrawWithHundredThousandPoints)->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char** argv)
{
    const bool demo = argc > 1 && QByteArray(argv[1]) == "--demo";
    if (!demo && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (demo)
        return runDemo(argc > 2 ? std::atoi(argv[2]) : 10);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
