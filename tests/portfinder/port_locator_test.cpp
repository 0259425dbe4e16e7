#include "portfinder/port_locator.h"
#include "portfinder/port_query.h"
#include "scoped_env.h"

#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// A miniature sysfs: tty class entries whose "device" links point into a device tree
// where USB devices carry a "product" file one level above their interface.
class FakeSysfs : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        addUsbTty("ttyACM0", "usb1/1-1", "Some Other Modem\n");
        addUsbTty("ttyACM1", "usb1/1-2", std::string(kDongleDescription) + "\n");
        addPlatformTty("ttyS0");
    }

    fs::path root() const { return fs::path(m_dir.path().toStdString()); }

    void addUsbTty(const std::string& name, const std::string& usbDevice, const std::string& product)
    {
        const fs::path device = root() / "devices" / usbDevice;
        const fs::path interface = device / (fs::path(usbDevice).filename().string() + ":1.0");
        fs::create_directories(interface);
        std::ofstream(device / "product") << product;
        linkTty(name, interface);
    }

    void addPlatformTty(const std::string& name)
    {
        const fs::path device = root() / "devices" / "platform" / "serial8250";
        fs::create_directories(device);
        linkTty(name, device);
    }

private:
    void linkTty(const std::string& name, const fs::path& target)
    {
        const fs::path entry = root() / "class" / "tty" / name;
        fs::create_directories(entry);
        fs::create_directory_symlink(fs::relative(target, entry), entry / "device");
    }

    QTemporaryDir m_dir;
};

TEST_F(FakeSysfs, FindsTheTtyWhoseUsbProductMatchesExactly)
{
    EXPECT_EQ(portfinder::findPortByDescription(kDongleDescription, root()), "/dev/ttyACM1");
    EXPECT_EQ(portfinder::findPortByDescription("Some Other Modem", root()), "/dev/ttyACM0");
    EXPECT_EQ(portfinder::findPortByDescription("TI CC2540", root()), std::nullopt);
}

TEST_F(FakeSysfs, NoMatchWithoutTtyClassOrForNonUsbPorts)
{
    EXPECT_EQ(portfinder::findPortByDescription(kDongleDescription, root() / "nowhere"), std::nullopt);
    fs::remove_all(root() / "class" / "tty" / "ttyACM1");
    EXPECT_EQ(portfinder::findPortByDescription(kDongleDescription, root()), std::nullopt);
}

TEST_F(FakeSysfs, OverrideNamingAnExistingDeviceWinsOverTheScan)
{
    const ScopedEnv existing(portfinder::kPortOverrideVariable, "/dev/null");
    EXPECT_EQ(portfinder::locatePort(kDongleDescription, root()), "/dev/null");

    const ScopedEnv missing(portfinder::kPortOverrideVariable, "/dev/no-such-port");
    EXPECT_EQ(portfinder::locatePort(kDongleDescription, root()), "/dev/ttyACM1");
}

} // namespace
