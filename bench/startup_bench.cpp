// Start-to-shown time of the main window, with the English language file and without it
// (then the switch finds no English and the window stays in its design language).
// Prints median and spread over several runs; no dongle is present.
#include "shell/form1.h"
#include "localisation/lang_man_engine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double startToShownMs(const QString* languageFolderOverride)
{
    QElapsedTimer clock;
    clock.start();
    TForm1 form;
    if (languageFolderOverride)
        form.languageManager().setExecutableDir(*languageFolderOverride);
    form.createAndShow();
    if (!QTest::qWaitForWindowExposed(&form))
        std::fprintf(stderr, "the window was never shown\n");
    return double(clock.nsecsElapsed()) / 1e6;
}

void report(const char* what, std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    std::printf("%-28s median %7.2f ms   min %7.2f ms   max %7.2f ms   (%zu runs)\n", what,
                samples[samples.size() / 2], samples.front(), samples.back(), samples.size());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    qputenv("RLC_DONGLE_PORT", "/nonexistent");
    QApplication app(argc, argv);
    QTemporaryDir noLanguages;

    constexpr int kRuns = 15;
    startToShownMs(nullptr); // warm-up: fonts, plug-ins, the state file
    std::vector<double> english, design;
    for (int i = 0; i < kRuns; ++i) {
        english.push_back(startToShownMs(nullptr));
        const QString folder = noLanguages.path();
        design.push_back(startToShownMs(&folder));
    }
    report("with lang/eng.lng (English)", english);
    report("without it (design texts)", design);
    return 0;
}
