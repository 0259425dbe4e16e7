// Loads the built library the way the program does and calls its entry by name. The C
// library has an entry of the same name; resolving on our handle must give ours.
#include "portfinder/port_locator.h"
#include "portfinder/port_query.h"
#include "scoped_env.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>

namespace {

class LoadedPortFinder : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_handle = dlopen(RLC_BIN_DIR "/libGetNumCom.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_handle, nullptr) << dlerror();
        m_entry = reinterpret_cast<TPortFinderEntry>(dlsym(m_handle, kPortFinderEntry));
        ASSERT_NE(m_entry, nullptr);
    }
    void TearDown() override
    {
        if (m_handle != nullptr)
            dlclose(m_handle);
    }

    TPortQuery ask()
    {
        TPortQuery query{kDongleDescription, "", 0, nullptr};
        m_entry(&query);
        return query;
    }

    void* m_handle = nullptr;
    TPortFinderEntry m_entry = nullptr;
};

TEST_F(LoadedPortFinder, EntryResolvesToThisLibraryNotTheCLibrary)
{
    Dl_info info{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(m_entry), &info), 0);
    EXPECT_NE(std::string(info.dli_fname).find("libGetNumCom.so"), std::string::npos) << info.dli_fname;
}

TEST_F(LoadedPortFinder, ReportsOverridePortAndStatus)
{
    const ScopedEnv port(portfinder::kPortOverrideVariable, "/dev/null");
    const TPortQuery found = ask();
    EXPECT_EQ(found.Status, 1);
    ASSERT_NE(found.PortName, nullptr);
    EXPECT_STREQ(found.PortName, "/dev/null");
}

TEST_F(LoadedPortFinder, ReportsNotFoundWithAnEmptyName)
{
    const ScopedEnv port(portfinder::kPortOverrideVariable, std::nullopt);
    if (portfinder::findPortByDescription(kDongleDescription, "/sys"))
        GTEST_SKIP() << "a real dongle is plugged in";
    const TPortQuery query = ask();
    EXPECT_EQ(query.Status, 0);
    ASSERT_NE(query.PortName, nullptr);
    EXPECT_STREQ(query.PortName, "");
}

TEST_F(LoadedPortFinder, NullRequestIsIgnored)
{
    m_entry(nullptr);
}

} // namespace
