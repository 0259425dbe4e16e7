// The programs answer --help, --version and mistakes on their command line without a
// display: the window system is set to one that cannot start, so any attempt to open a
// window would end the run with a crash instead of the expected answer.
#include "qt_printers.h"
#include "rlc_version.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ProgramRun runWithoutDisplay(const QString& program, const QStringList& arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(RLC_BIN_DIR "/") + program, arguments);
    ProgramRun run;
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

} // namespace

TEST(CommandLine, VersionIsTheProjectsForBothPrograms)
{
    for (const char* program : {"rlc-logger", "rlc-sim"}) {
        const ProgramRun run = runWithoutDisplay(QString::fromLatin1(program), {QStringLiteral("--version")});
        EXPECT_EQ(run.exitCode, 0) << program << run.err.toStdString();
        EXPECT_EQ(run.out, QString::fromLatin1(program) + QStringLiteral(" " RLC_VERSION "\n")) << program;
    }
}

TEST(CommandLine, HelpNamesTheOptionsAndTheEnvironmentTheLoggerReads)
{
    const ProgramRun run = runWithoutDisplay(QStringLiteral("rlc-logger"), {QStringLiteral("--help")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (const char* expected : {"--help", "--version", "RLC_DONGLE_PORT", "XDG_DATA_HOME", "~/.local/share",
                                 "RLC_Data/1.dat", "RLC_Data/journal/"})
        EXPECT_TRUE(run.out.contains(QString::fromLatin1(expected))) << expected << "\n" << run.out.toStdString();
    EXPECT_FALSE(run.out.contains(QStringLiteral("platform"))) << "the window system's options stay out of the help";
}

TEST(CommandLine, MistakesAreNamedWithExitCodeOneWhileWindowSystemOptionsPass)
{
    const struct {
        QStringList arguments;
        int exitCode;
        const char* named; // in the output: the version, or the mistake on standard error
    } cases[] = {
        {{QStringLiteral("--bogus")}, 1, "bogus"},
        {{QStringLiteral("-x")}, 1, "'x'"},
        {{QStringLiteral("notes.txt")}, 1, "notes.txt"},
        {{QStringLiteral("--version"), QStringLiteral("--bogus")}, 1, "bogus"},
        {{QStringLiteral("-platform")}, 1, "platform"},
        {{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--version")}, 0, RLC_VERSION},
        {{QStringLiteral("-style=fusion"), QStringLiteral("-reverse"), QStringLiteral("--version")}, 0, RLC_VERSION},
    };
    for (const auto& c : cases) {
        const ProgramRun run = runWithoutDisplay(QStringLiteral("rlc-logger"), c.arguments);
        const std::string given = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << given << "\n" << run.err.toStdString();
        const QString& said = c.exitCode == 0 ? run.out : run.err;
        EXPECT_TRUE(said.contains(QString::fromLatin1(c.named))) << given << "\n" << said.toStdString();
        if (c.exitCode != 0) {
            EXPECT_TRUE(run.err.contains(QStringLiteral("--help"))) << given << ": the way to the options is shown";
        }
    }
}
