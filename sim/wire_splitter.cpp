#include "sim/wire_splitter.h"

#include "sim/sim_command.h"

namespace sim {
namespace {

const QByteArray kAt = QByteArrayLiteral("AT");
const QByteArray kConnectText = QByteArrayLiteral("AT+CONNL");

bool mayStartSomething(char byte)
{
    return byte == 'A' || MeterCommand::isCodeByte(uint8_t(byte));
}

} // namespace

std::vector<WireChunk> WireSplitter::feed(const QByteArray& bytes)
{
    m_buffer += bytes;
    return takeChunks(false);
}

std::vector<WireChunk> WireSplitter::flush()
{
    return takeChunks(true);
}

std::vector<WireChunk> WireSplitter::takeChunks(bool quiet)
{
    std::vector<WireChunk> chunks;
    while (takeChunk(quiet, chunks)) {}
    return chunks;
}

// A complete command wins over text: 0x41 is both "A" and the settings code with the
// brightness button released.
bool WireSplitter::takeChunk(bool quiet, std::vector<WireChunk>& out)
{
    if (m_buffer.isEmpty())
        return false;
    if (MeterCommand::fromBytes(m_buffer.left(MeterCommand::kLength))) {
        out.push_back(cut(WireChunk::Kind::Command, MeterCommand::kLength));
        return true;
    }
    if (m_buffer.startsWith(kConnectText)) {
        out.push_back(cut(WireChunk::Kind::AtText, kConnectText.size()));
        return true;
    }
    const bool mayGrowIntoText = kConnectText.startsWith(m_buffer);
    const bool mayGrowIntoCommand =
        m_buffer.size() < MeterCommand::kLength && MeterCommand::isCodeByte(uint8_t(m_buffer[0]));
    if (!quiet && (mayGrowIntoText || mayGrowIntoCommand))
        return false;
    if (m_buffer.startsWith(kAt)) {
        // "AT" followed by anything that is not "+": the plain test, then the rest.
        const bool plainTest = m_buffer.size() == kAt.size() || m_buffer[kAt.size()] != '+';
        const qsizetype nextText = m_buffer.indexOf(kAt, kAt.size());
        out.push_back(
            cut(WireChunk::Kind::AtText, plainTest ? kAt.size() : (nextText < 0 ? m_buffer.size() : nextText)));
        return true;
    }
    WireChunk noise = cut(WireChunk::Kind::Noise, lengthOfNoise());
    if (!out.empty() && out.back().kind == WireChunk::Kind::Noise)
        out.back().bytes += noise.bytes; // resynchronising may cut noise into pieces
    else
        out.push_back(noise);
    return true;
}

qsizetype WireSplitter::lengthOfNoise() const
{
    qsizetype length = 1;
    while (length < m_buffer.size() && !mayStartSomething(m_buffer[length]))
        ++length;
    return length;
}

WireChunk WireSplitter::cut(WireChunk::Kind kind, qsizetype length)
{
    WireChunk chunk{kind, m_buffer.left(length)};
    m_buffer.remove(0, length);
    return chunk;
}

} // namespace sim
