#pragma once
#include <QByteArray>
#include <vector>

namespace sim {

// One piece of what the program wrote: an AT text for the dongle, a 5-byte command for
// the meter, or bytes that are neither and get dropped.
struct WireChunk {
    enum class Kind { AtText, Command, Noise };
    Kind kind;
    QByteArray bytes;
};

// Cuts the byte stream from the program into chunks. AT texts have no terminator, so a
// tail that may still grow into a longer text or a command waits for more bytes; after a
// quiet period the caller flushes it and takes it as it stands.
class WireSplitter {
public:
    std::vector<WireChunk> feed(const QByteArray& bytes);
    std::vector<WireChunk> flush();
    bool hasPendingTail() const { return !m_buffer.isEmpty(); }

private:
    std::vector<WireChunk> takeChunks(bool quiet);
    bool takeChunk(bool quiet, std::vector<WireChunk>& out);
    WireChunk cut(WireChunk::Kind kind, qsizetype length);
    qsizetype lengthOfNoise() const;

    QByteArray m_buffer;
};

} // namespace sim
