// Closing the window, or naming another database in the bench window, ends the forwarder:
// it must never keep the window waiting for a server, even one that takes the connection
// and then never says a word (a host behind a firewall that drops, a server hung). Here the
// "server" is a socket that listens and never answers: the kernel takes the connection,
// libpq sends its greeting and waits for a reply that does not come.
#include "forwarding_bench.h"
#include "qt_printers.h"
#include "store/database_url.h"
#include "store/forwarder.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace {

// Far longer than a close may take, far shorter than the waits that would show a fault.
constexpr int kWaitMs = 60000;

// A TCP port on this computer that takes connections into its queue and never answers.
class SilentListener {
public:
    SilentListener() : m_socket(::socket(AF_INET, SOCK_STREAM, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        m_listening = m_socket >= 0 && ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), length) == 0
            && ::listen(m_socket, SOMAXCONN) == 0
            && ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0;
        m_port = ntohs(address.sin_port);
    }
    ~SilentListener() { ::close(m_socket); }
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

    bool listening() const { return m_listening; }
    QString url(const QString& connectTimeout) const
    {
        return QStringLiteral("postgresql://nobody@127.0.0.1:%1/none?connect_timeout=%2")
            .arg(m_port)
            .arg(connectTimeout);
    }
    // Whether a caller waits in the queue, within the time given.
    bool called(int waitMs) const
    {
        pollfd waiting{m_socket, POLLIN, 0};
        return ::poll(&waiting, 1, waitMs) == 1;
    }

private:
    int m_socket;
    bool m_listening = false;
    quint16 m_port = 0;
};

store::DatabaseUrl serverNamed(const QString& url)
{
    return std::get<store::DatabaseUrl>(store::ReadDatabaseUrl(url));
}

class ForwarderHangUpTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(listener.listening()) << "no port to listen on";
        bench.openRecording();
        bench.storeReadings(5);
        waiting = bench.unsentRows();
    }

    QTemporaryDir folder;
    ForwardingBench bench{folder.filePath(QStringLiteral("measurements.sqlite"))};
    SilentListener listener;
    qint64 waiting = 0;
};

// connect_timeout as a user may set it: ten minutes, or none at all (0 waits for ever).
class ForwarderClosedWhileConnecting : public ForwarderHangUpTest, public testing::WithParamInterface<const char*> {};

TEST_P(ForwarderClosedWhileConnecting, ClosesAtOnceAndEverythingStillWaits)
{
    struct Closing {
        bool called = false;
    };
    const auto closing = std::make_shared<Closing>();
    const QString path = bench.path();
    const QString url = listener.url(QString::fromLatin1(GetParam()));
    const SilentListener& silent = listener;
    // The forwarder is made, reaches for the server and is closed in a thread of the test's
    // own, so that a close that hangs is a failure here rather than a test that never ends.
    std::packaged_task<void()> task([closing, path, url, &silent] {
        store::Forwarder forwarder(path, serverNamed(url));
        forwarder.start();
        closing->called = silent.called(kWaitMs);
    });
    std::future<void> closed = task.get_future();
    std::thread thread(std::move(task));
    if (closed.wait_for(std::chrono::milliseconds(kWaitMs * 2)) != std::future_status::ready) {
        thread.detach(); // it waits for a server that never answers; the process ends it
        FAIL() << "closing the forwarder waited for the server";
    }
    thread.join();
    EXPECT_TRUE(closing->called) << "the forwarder was inside its connection when it was closed";
    EXPECT_EQ(bench.unsentRows(), waiting) << "what was on its way waits in the local list";
}

INSTANTIATE_TEST_SUITE_P(ConnectTimeouts, ForwarderClosedWhileConnecting, testing::Values("600", "0"));

// libpq leaves the time limit of a connection made step by step to the program: a server
// that never answers is still said away once the URL's connect_timeout has passed.
TEST_F(ForwarderHangUpTest, ServerSilentPastTheConnectTimeoutIsSaidAway)
{
    store::Forwarder forwarder(bench.path(), serverNamed(listener.url(QStringLiteral("2"))));
    QSignalSpy away(&forwarder, &store::Forwarder::serverAway);
    forwarder.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !away.isEmpty(); }, kWaitMs));
    const QString reason = away.at(0).at(0).toString();
    EXPECT_TRUE(reason.contains(QStringLiteral("no answer within 2 s"))) << reason.toStdString();
    EXPECT_EQ(away.at(0).at(1).toLongLong(), 5) << "the readings that wait";
    EXPECT_TRUE(listener.called(0));
}

} // namespace
