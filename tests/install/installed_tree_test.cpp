// The build installed into a folder of its own: the programs and their files are where the
// installed program looks for them, nothing from the tests comes along, and the program
// started from elsewhere finds its port finder and its English texts.
#include "platform/install_paths.h"
#include "logger_process.h"
#include "portfinder/port_query.h"
#include "qt_printers.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

namespace {

const QString kPrefix = QStringLiteral(RLC_TEST_INSTALL_PREFIX);
const QString kBinDir = QStringLiteral(RLC_TEST_INSTALL_BINDIR);

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The value of a key of a desktop entry, whose lines read "Key=value".
QString entryValue(const QString& entry, const QString& key)
{
    const QRegularExpression line(QStringLiteral("^%1=(.*)$").arg(key), QRegularExpression::MultilineOption);
    return line.match(entry).captured(1).trimmed();
}

} // namespace

TEST(InstalledTree, ProgramsOnlyInBinTheirFilesWhereTheProgramLooks)
{
    EXPECT_EQ(QDir(kBinDir).entryList(QDir::Files, QDir::Name),
              QStringList({"rlc-logger", "rlc-record", "rlc-report", "rlc-sim"}))
        << "no test, benchmark or helper program is installed";
    const QString libraryFolder = install_paths::portFinderFolders(kBinDir).last();
    EXPECT_EQ(QDir(libraryFolder).entryList(QDir::Files), QStringList{QStringLiteral("libGetNumCom.so")})
        << libraryFolder.toStdString();
    EXPECT_TRUE(QFile::exists(install_paths::installedLanguageFolder(kBinDir) + QStringLiteral("/eng.lng")));
}

TEST(InstalledTree, DesktopEntryStartsTheInstalledProgramWithItsOwnIcon)
{
    const QString entry = readText(kPrefix + QStringLiteral("/share/applications/rlc-logger.desktop"));
    const QString exec = entryValue(entry, QStringLiteral("Exec"));
    ASSERT_FALSE(exec.isEmpty());
    EXPECT_TRUE(QFile::exists(kBinDir + u'/' + exec.section(u' ', 0, 0))) << exec.toStdString();
    const QString icon = entryValue(entry, QStringLiteral("Icon"));
    EXPECT_TRUE(
        QFile::exists(kPrefix + QStringLiteral("/share/icons/hicolor/scalable/apps/") + icon + QStringLiteral(".svg")))
        << icon.toStdString();
}

TEST(InstalledTree, UdevRuleOpensTheDongleThePortFinderLooksFor)
{
    const QString rule = readText(kPrefix + QStringLiteral("/lib/udev/rules.d/70-rlc-logger-dongle.rules"));
    EXPECT_TRUE(rule.contains(QStringLiteral("SUBSYSTEM==\"tty\", ATTRS{product}==\"%1\", TAG+=\"uaccess\"")
                                  .arg(QString::fromLatin1(kDongleDescription))))
        << rule.toStdString();
}

TEST(InstalledProgram, StartedElsewhereFindsItsPortFinderAndEnglishTexts)
{
    QTemporaryDir dataHome;
    QTemporaryDir elsewhere; // no "lang" below it, no library beside it
    sim::MeterSimulator simulator;
    simulator.setLinkDelayMs(20);
    simulator.setIntervalOverrideMs(80);
    holdReadings(simulator);

    QProcess logger;
    startLogger(logger, kBinDir + QStringLiteral("/rlc-logger"), elsewhere.path(), dataHome.path(),
                simulator.slavePath());
    if (HasFatalFailure())
        return;
    // The named port is opened by the port finder only, so a link means it was loaded.
    const bool linked = QTest::qWaitFor([&] { return simulator.isLinked(); }, 15000);
    const bool journalWritten =
        linked && QTest::qWaitFor([&] { return !journalFiles(dataHome.path()).isEmpty(); }, 15000);
    ::kill(pid_t(logger.processId()), SIGKILL);
    logger.waitForFinished(5000);
    ASSERT_TRUE(linked) << "the logger never linked: " << logger.readAllStandardError().toStdString();
    ASSERT_TRUE(journalWritten);

    const QString header = readText(journalFiles(dataHome.path()).first()).section(u'\n', 0, 0);
    EXPECT_TRUE(header.contains(QStringLiteral("Position"))) << "titles in English: " << header.toStdString();
}

// The installed recorder, started from elsewhere, finds the dongle through its installed
// port finder (RLC_DONGLE_PORT is read by the finder alone) and writes English titles.
TEST(InstalledRecorder, StartedElsewhereFindsItsPortFinderAndEnglishTexts)
{
    QTemporaryDir dataHome;
    QTemporaryDir elsewhere;
    sim::MeterSimulator simulator;
    simulator.setLinkDelayMs(20);
    simulator.setIntervalOverrideMs(80);

    QProcess recorder;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome.path());
    env.insert(QStringLiteral("RLC_DONGLE_PORT"), simulator.slavePath());
    recorder.setProcessEnvironment(env);
    recorder.setWorkingDirectory(elsewhere.path());
    recorder.start(kBinDir + QStringLiteral("/rlc-record"), {QStringLiteral("--count"), QStringLiteral("2")});
    ASSERT_TRUE(recorder.waitForStarted(5000));
    const bool ended = QTest::qWaitFor([&] { return recorder.state() == QProcess::NotRunning; }, 20000);
    if (!ended)
        ::kill(pid_t(recorder.processId()), SIGKILL);
    ASSERT_TRUE(ended) << recorder.readAllStandardError().toStdString();
    EXPECT_EQ(recorder.exitCode(), 0) << recorder.readAllStandardError().toStdString();

    const QList<QByteArray> lines = recorder.readAllStandardOutput().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3) << "the titles and two readings";
    EXPECT_TRUE(lines.first().startsWith("Position,Time,Primary")) << lines.first().toStdString();
}

// The installed report program draws its PDF through the offscreen platform from the
// installed Qt, with no display, from any folder.
TEST(InstalledTree, ReportProgramWritesAPdfWithoutADisplay)
{
    QTemporaryDir elsewhere;
    QFile journal(elsewhere.filePath(QStringLiteral("lot.csv")));
    ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
    journal.write("Timestamp,Verdict,Event,primary_value,primary_unit,verdict\r\n"
                  "2026-12-10T08:00:01Z,0,,1000,\xCE\xA9,pass\r\n");
    journal.close();
    QProcess report;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    report.setProcessEnvironment(env);
    report.setWorkingDirectory(elsewhere.path());
    report.start(kBinDir + QStringLiteral("/rlc-report"),
                 {QStringLiteral("lot.csv"), QStringLiteral("--pdf"), QStringLiteral("lot.pdf")});
    ASSERT_TRUE(report.waitForFinished(60000));
    EXPECT_EQ(report.exitCode(), 0) << report.readAllStandardError().toStdString();
    QFile pdf(elsewhere.filePath(QStringLiteral("lot.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}
