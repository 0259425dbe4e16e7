// Shared entry point of every test executable: a real QApplication on the offscreen
// platform, then GoogleTest. Widget tests drive real windows through QTest.
#include <QApplication>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <thread>

namespace {

// Generous: a loaded machine may leave a thread unscheduled for a while.
constexpr std::chrono::seconds kThreadsEndWithin(30);

int threadsOfThisProcess()
{
    std::error_code error;
    const std::filesystem::directory_iterator tasks("/proc/self/task", error);
    return error ? 1 : int(std::distance(tasks, std::filesystem::directory_iterator()));
}

// Qt paints large areas with helper threads from a pool. When the application ends, the
// pool waits for them and lets them go, but they are detached threads that still have to
// take themselves down afterwards. The leak check runs as the process exits: a helper thread
// caught halfway through leaving holds the last pointer to its thread record, which the check
// then reports as 152 bytes leaked inside Qt Core, and the test fails by chance. So the test
// process leaves only once it is its only thread.
void waitUntilTheOnlyThread()
{
    const auto deadline = std::chrono::steady_clock::now() + kThreadsEndWithin;
    while (threadsOfThisProcess() > 1) {
        if (std::chrono::steady_clock::now() > deadline) {
            std::fprintf(stderr, "test_main: %d threads still run after %lld s; leaving anyway\n",
                         threadsOfThisProcess(), static_cast<long long>(kThreadsEndWithin.count()));
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    waitUntilTheOnlyThread();
    return result;
}
