#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <span>

namespace dongle {

// What one whole read from the dongle means.
enum class DongleReply {
    ConnectionStarted, // "OK+CONNL"
    ConnectionFailed,  // "OK+CONNE", "OK+CONNF", "OK+CONNEOK+CONNF"
    ConnectionRefused, // "OK+CONNN"
    LinkUp,            // "OK+CONN\r\n", or 18+ characters starting "OK+CONNLOK+CONN\r\n"
    LinkLost,          // "OK+LOST"
    Ok,                // "OK"
    Frame,             // exactly 18 characters
    Unrecognised,      // any other length: both port buffers are purged
};

// One reply text of the dongle and what it means. Replies carry no terminator, and "OK"
// begins every one of them.
struct KnownReply {
    QByteArrayView text;
    DongleReply meaning;
};

// Every reply text the dongle sends on its own.
std::span<const KnownReply> knownReplies();

// Replies are compared as whole reads: a reply followed by other characters in the same
// read is not recognised, and any read of 18 characters that is not a reply is a frame.
DongleReply classifyRead(const QByteArray& read);

constexpr int kFrameLength = 18;
constexpr int kMaxReadLength = 1000;

} // namespace dongle
