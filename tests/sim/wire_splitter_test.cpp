#include "sim/wire_splitter.h"

#include <gtest/gtest.h>

namespace {

using Kind = sim::WireChunk::Kind;

struct SplitCase {
    const char* name;
    QByteArray input;
    std::vector<std::pair<Kind, QByteArray>> beforeQuiet; // chunks complete on arrival
    std::vector<std::pair<Kind, QByteArray>> afterQuiet;  // the tail, once flushed
};

std::vector<std::pair<Kind, QByteArray>> simplified(const std::vector<sim::WireChunk>& chunks)
{
    std::vector<std::pair<Kind, QByteArray>> out;
    for (const auto& chunk : chunks)
        out.emplace_back(chunk.kind, chunk.bytes);
    return out;
}

const QByteArray kDefaults("\x01\x24\x80\x21\n", 5);
const QByteArray kDefaultsReleased("\x41\x24\x80\x21\n", 5); // begins with "A"

TEST(WireSplitter, TellsAtTextFromCommandsAndNoise)
{
    const std::vector<SplitCase> cases = {
        {"plain test waits for quiet", "AT", {}, {{Kind::AtText, "AT"}}},
        {"connect is complete at once", "AT+CONNL", {{Kind::AtText, "AT+CONNL"}}, {}},
        {"truncated connect", "AT+CON", {}, {{Kind::AtText, "AT+CON"}}},
        {"command starting with A", kDefaultsReleased, {{Kind::Command, kDefaultsReleased}}, {}},
        {"test then command", "AT" + kDefaults, {{Kind::AtText, "AT"}, {Kind::Command, kDefaults}}, {}},
        {"command then test", kDefaults + "AT", {{Kind::Command, kDefaults}}, {{Kind::AtText, "AT"}}},
        {"noise before command",
         "\x7f\x10zz" + kDefaults,
         {{Kind::Noise, "\x7f\x10zz"}, {Kind::Command, kDefaults}},
         {}},
        // 0x01 may start a command, so the bytes after a broken one wait for quiet too.
        {"wrong terminator",
         QByteArray("\x81\x01\x01\x01\r", 5),
         {{Kind::Noise, "\x81"}},
         {{Kind::Noise, QByteArray("\x01\x01\x01\r", 4)}}},
        {"half a command", QByteArray("\x82\x01", 2), {}, {{Kind::Noise, QByteArray("\x82\x01", 2)}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim::WireSplitter splitter;
        EXPECT_EQ(simplified(splitter.feed(c.input)), c.beforeQuiet);
        EXPECT_EQ(simplified(splitter.flush()), c.afterQuiet);
        EXPECT_FALSE(splitter.hasPendingTail());
    }
}

TEST(WireSplitter, CommandArrivingInPiecesIsReassembled)
{
    sim::WireSplitter splitter;
    EXPECT_TRUE(splitter.feed(kDefaults.left(2)).empty());
    EXPECT_TRUE(splitter.hasPendingTail());
    EXPECT_EQ(simplified(splitter.feed(kDefaults.mid(2))),
              (std::vector<std::pair<Kind, QByteArray>>{{Kind::Command, kDefaults}}));
}

} // namespace
