// The simulated dongle pulled out and put back, as the program's serial port sees it.
#include "sim/meter_simulator.h"
#include "qt_printers.h"

#include <QFile>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gmock/gmock.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <system_error>

namespace {

namespace fs = std::filesystem;
using ::testing::AnyOf;

constexpr int kWaitMs = 2000;
constexpr int kFastIntervalMs = 40;

bool linkExists(const QString& path)
{
    return fs::is_symlink(fs::symlink_status(path.toStdString()));
}

QString linkTarget(const QString& path)
{
    return QString::fromStdString(fs::read_symlink(path.toStdString()).string());
}

int openDescriptorCount()
{
    return int(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

// A port opened the way the program opens the dongle's.
std::unique_ptr<QSerialPort> openPort(const QString& path)
{
    auto port = std::make_unique<QSerialPort>(path);
    port->setBaudRate(57600);
    port->setFlowControl(QSerialPort::HardwareControl);
    EXPECT_TRUE(port->open(QIODevice::ReadWrite)) << port->errorString().toStdString();
    return port;
}

QByteArray answerTo(QSerialPort& port, const QByteArray& text, qsizetype answerLength)
{
    port.write(text);
    EXPECT_TRUE(QTest::qWaitFor([&] { return port.bytesAvailable() >= answerLength; }, kWaitMs));
    return port.readAll();
}

// What the program sees when the dongle is pulled out. The kernel hangs the old device up:
// poll() calls it readable and read() returns 0. Qt takes that for a failed read and reports
// the errno left over from earlier calls: ReadError (ResourceError when that errno happens
// to be EIO, as after a failed write). The read notifier stays on, so the error comes again
// on every pass of the event loop until the program closes the port.
TEST(SimulatorUnplug, PortOnTheStableLinkReportsErrorsUntilClosedAndTheLinkGoes)
{
    sim::MeterSimulator simulator;
    ASSERT_TRUE(linkExists(simulator.stablePath()));
    const auto port = openPort(simulator.stablePath());
    QSignalSpy errors(port.get(), &QSerialPort::errorOccurred);
    QSignalSpy readyRead(port.get(), &QIODevice::readyRead);
    QSignalSpy aboutToClose(port.get(), &QIODevice::aboutToClose);

    simulator.unplug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return errors.size() >= 2; }, kWaitMs)) << "reported again and again";
    EXPECT_THAT(errors[0][0].value<QSerialPort::SerialPortError>(),
                AnyOf(QSerialPort::ReadError, QSerialPort::ResourceError));
    EXPECT_TRUE(port->isOpen()) << "closing is left to the program";
    EXPECT_EQ(readyRead.size(), 0);
    EXPECT_EQ(aboutToClose.size(), 0);
    EXPECT_FALSE(simulator.isPluggedIn());
    EXPECT_TRUE(simulator.slavePath().isEmpty());
    EXPECT_FALSE(linkExists(simulator.stablePath()));

    port->close();
    EXPECT_EQ(aboutToClose.size(), 1);
    errors.clear();
    QTest::qWait(50);
    EXPECT_TRUE(errors.isEmpty()) << "closing ends them";
}

TEST(SimulatorUnplug, ReplugBringsBackAnUnlinkedDongleBehindTheSameLink)
{
    sim::MeterSimulator simulator;
    simulator.setLinkDelayMs(20);
    const QString stablePath = simulator.stablePath();
    const auto oldPort = openPort(stablePath);
    EXPECT_EQ(answerTo(*oldPort, "AT+CONNL", 17), "OK+CONNLOK+CONN\r\n");
    ASSERT_TRUE(simulator.isLinked());
    QSignalSpy sent(&simulator, &sim::MeterSimulator::frameSent);
    simulator.setIntervalOverrideMs(kFastIntervalMs);
    ASSERT_TRUE(sent.wait(kWaitMs));

    simulator.unplug();
    sent.clear();
    EXPECT_FALSE(simulator.isLinked());
    QTest::qWait(3 * kFastIntervalMs);
    EXPECT_TRUE(sent.isEmpty()) << "no frames without the device";

    simulator.replug();
    ASSERT_TRUE(linkExists(stablePath));
    EXPECT_EQ(linkTarget(stablePath), simulator.slavePath());
    QSerialPort tooEarly(stablePath);
    EXPECT_FALSE(tooEarly.open(QIODevice::ReadWrite)) << "the old port still holds the lock of this name";
    oldPort->close();
    const auto newPort = openPort(stablePath);
    EXPECT_EQ(answerTo(*newPort, "AT", 2), "OK") << "the dongle came back without its link";
}

TEST(SimulatorUnplug, BytesStillOnTheirWayDieWithTheDevice)
{
    sim::MeterSimulator simulator;
    QSignalSpy sent(&simulator, &sim::MeterSimulator::frameSent);
    simulator.injectSplitFrame(7, 100);
    simulator.unplug();
    simulator.replug();
    const auto port = openPort(simulator.stablePath());
    QTest::qWait(250);
    EXPECT_EQ(port->bytesAvailable(), 0);
    EXPECT_TRUE(sent.isEmpty());
}

TEST(SimulatorUnplug, EveryDescriptorIsReleasedOnUnplugAndOnDestruction)
{
    const int before = openDescriptorCount();
    {
        sim::MeterSimulator simulator;
        EXPECT_GT(openDescriptorCount(), before);
        simulator.unplug();
        EXPECT_EQ(openDescriptorCount(), before);
        simulator.replug();
        EXPECT_GT(openDescriptorCount(), before);
    }
    EXPECT_EQ(openDescriptorCount(), before);
}

TEST(SimulatorStableLink, IsKeptWhereToldReplacingALinkButNothingElse)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("dongle"));
    fs::create_symlink("/nonexistent/left-behind", path.toStdString());
    {
        sim::MeterSimulator simulator(path);
        EXPECT_EQ(simulator.stablePath(), path);
        EXPECT_EQ(linkTarget(path), simulator.slavePath());
    }
    EXPECT_FALSE(linkExists(path)) << "the link goes with the simulator";

    QFile notALink(path);
    ASSERT_TRUE(notALink.open(QIODevice::WriteOnly));
    notALink.write("keep me");
    notALink.close();
    const int before = openDescriptorCount();
    EXPECT_THROW(sim::MeterSimulator{path}, std::system_error);
    EXPECT_EQ(openDescriptorCount(), before) << "the pseudo-terminal made before the refusal is closed";
    ASSERT_TRUE(notALink.open(QIODevice::ReadOnly));
    EXPECT_EQ(notALink.readAll(), "keep me");
}

} // namespace
