// The rlc-sim program as a person or a script drives it: the port on its first line,
// commands on its standard input.
#include "qt_printers.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 3000;

bool linkExists(const QString& path)
{
    return std::filesystem::is_symlink(std::filesystem::symlink_status(path.toStdString()));
}

QString nextLine(QProcess& program)
{
    while (!program.canReadLine() && program.waitForReadyRead(kWaitMs)) {}
    return QString::fromLocal8Bit(program.readLine()).trimmed();
}

QString answerTo(QProcess& program, const QByteArray& command)
{
    program.write(command + '\n');
    return nextLine(program);
}

TEST(RlcSimProgram, PrintsItsStableLinkAndUnplugsAndReplugsOnCommand)
{
    QProcess program;
    program.start(QStringLiteral(RLC_BIN_DIR "/rlc-sim"), {QStringLiteral("--demo")});
    ASSERT_TRUE(program.waitForStarted(kWaitMs));
    const QString port = nextLine(program);
    ASSERT_TRUE(linkExists(port)) << port.toStdString();

    EXPECT_EQ(answerTo(program, "unplug"), QStringLiteral("unplugged"));
    EXPECT_FALSE(linkExists(port));
    EXPECT_EQ(answerTo(program, "deliver split 7"), QStringLiteral("delivery: split 7"));
    EXPECT_EQ(answerTo(program, "deliver paired"), QStringLiteral("delivery: paired, split 7"));
    EXPECT_EQ(answerTo(program, "deliver normal"), QStringLiteral("delivery: normal"));
    const QString pluggedIn = answerTo(program, "replug");
    ASSERT_TRUE(linkExists(port));
    EXPECT_EQ(pluggedIn, QStringLiteral("plugged in: ") + QFileInfo(port).symLinkTarget());

    QSerialPort serial(port);
    ASSERT_TRUE(serial.open(QIODevice::ReadWrite)) << serial.errorString().toStdString();
    serial.write("AT");
    EXPECT_TRUE(QTest::qWaitFor([&] { return serial.bytesAvailable() >= 2; }, kWaitMs));
    EXPECT_EQ(serial.readAll(), "OK");
    serial.close();

    program.write("deliver sideways\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return program.readAllStandardError().contains("not a command"); }, kWaitMs));

    program.closeWriteChannel();
    QTest::qWait(100);
    EXPECT_EQ(program.state(), QProcess::Running) << "the end of the commands does not end the simulator";
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(kWaitMs));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(port).path())) << "its temporary folder goes with it";
}

} // namespace
