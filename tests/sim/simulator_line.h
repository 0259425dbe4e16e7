#pragma once
// The program's end of the simulated line: the slave side of the simulator's pseudo-terminal
// opened with plain POSIX calls, read while the simulator runs on this thread's event loop.
#include "sim/frame_encoder.h"
#include "sim/meter_simulator.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <bit>
#include <cstdint>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

inline QByteArray command(uint8_t code, uint8_t b1, uint8_t b2, uint8_t b3)
{
    const char bytes[] = {char(code), char(b1), char(b2), char(b3), '\n'};
    return QByteArray(bytes, sizeof bytes);
}

inline float floatAt(const QByteArray& frame, int offset)
{
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= uint32_t(uint8_t(frame[offset + i])) << (8 * i);
    return std::bit_cast<float>(bits);
}

inline uint8_t byteAt(const QByteArray& frame, int offset)
{
    return uint8_t(frame[offset]);
}

class SimulatorLine : public ::testing::Test {
protected:
    static constexpr int kFastIntervalMs = 40;

    void SetUp() override
    {
        simulator = std::make_unique<sim::MeterSimulator>();
        simulator->setLinkDelayMs(100);
        m_fd = ::open(simulator->slavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(m_fd, 0);
        termios raw{};
        tcgetattr(m_fd, &raw);
        cfmakeraw(&raw);
        tcsetattr(m_fd, TCSANOW, &raw);
    }

    void TearDown() override
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    void send(const QByteArray& bytes)
    {
        ASSERT_EQ(::write(m_fd, bytes.constData(), std::size_t(bytes.size())), bytes.size());
    }

    // Everything that arrives within the given time.
    QByteArray readFor(int ms) { return readUntil(INT32_MAX, ms); }

    // Reads until at least count bytes have arrived or the time is up.
    QByteArray readUntil(qsizetype count, int timeoutMs)
    {
        QByteArray received;
        QElapsedTimer clock;
        clock.start();
        while (received.size() < count && clock.elapsed() < timeoutMs)
            received += readOnce();
        return received;
    }

    // Each read apart, until count reads have brought bytes or the time is up. One write of
    // the simulator arrives as one read when the writes are some milliseconds apart.
    QList<QByteArray> readPieces(qsizetype count, int timeoutMs)
    {
        QList<QByteArray> pieces;
        QElapsedTimer clock;
        clock.start();
        while (pieces.size() < count && clock.elapsed() < timeoutMs) {
            if (const QByteArray piece = readOnce(); !piece.isEmpty())
                pieces.append(piece);
        }
        return pieces;
    }

    QByteArray readFrame() { return readUntil(sim::kFrameLength, 2000); }

    // Links with the meter and drains the dialogue; frames then come every kFastIntervalMs.
    void link()
    {
        simulator->setIntervalOverrideMs(kFastIntervalMs);
        send("AT+CONNL");
        ASSERT_EQ(readUntil(17, 2000), QByteArray("OK+CONNLOK+CONN\r\n"));
        ASSERT_TRUE(simulator->isLinked());
    }

    // Sends a settings or mode command and returns the first frame reported after it.
    QByteArray frameAfter(const QByteArray& command)
    {
        send(command);
        const qsizetype seen = simulator->receivedCommands().size();
        QElapsedTimer clock;
        clock.start();
        while (simulator->receivedCommands().size() == seen && clock.elapsed() < 2000)
            readFor(5); // frames already on their way belong to the old settings
        return readFrame();
    }

    // Reads frames until one carries the given resistance (earlier ones were on their way).
    QByteArray frameWithRs(float rs)
    {
        for (int i = 0; i < 10; ++i) {
            const QByteArray frame = readFrame();
            if (frame.size() == sim::kFrameLength && floatAt(frame, 0) == rs)
                return frame;
        }
        ADD_FAILURE() << "no frame with Rs " << rs;
        return {};
    }

    std::unique_ptr<sim::MeterSimulator> simulator;

private:
    // Lets the simulator run for a moment, then takes what has arrived.
    QByteArray readOnce()
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pollfd ready{m_fd, POLLIN, 0};
        if (::poll(&ready, 1, 2) <= 0 || !(ready.revents & POLLIN))
            return {};
        char chunk[4096];
        const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
        return n > 0 ? QByteArray(chunk, n) : QByteArray();
    }

    int m_fd = -1;
};
